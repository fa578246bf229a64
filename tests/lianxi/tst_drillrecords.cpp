#include "lianxi/DrillRecords.h"
#include "arithmetic/DrillTally.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

QString Date()
{
    return QStringLiteral("2024-3-7");
}

DrillTally TallyOf(const QStringList &right, const QStringList &wrong)
{
    DrillTally tally;
    for (const QString &line : right)
        tally.AddRight(line);
    for (const QString &line : wrong)
        tally.AddWrong(line);
    return tally;
}

// count answers, each line as long as "12+7=19".
QStringList Answers(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1+7=%2").arg(10 + i % 90).arg(17 + i % 90);
    return lines;
}

}  // namespace

class tst_DrillRecords : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString root_;

    QByteArray Contents(const QString &relative) const { return TestFiles::ReadAll(root_ + relative); }
    static QByteArray Joined(const QStringList &lines)
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += line.toLatin1() + "\r\n";
        return bytes;
    }
    void MakeFolders(const QStringList &folders) const
    {
        for (const QString &folder : folders)
            QVERIFY(QDir(root_).mkpath(folder));
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        root_ = dir_->path() + QLatin1Char('/');
    }

    void linesAreWrittenByteForByte_data()
    {
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<QStringList>("wrong");
        QTest::addColumn<QByteArray>("rightBytes");
        QTest::addColumn<QByteArray>("wrongBytes");
        QTest::newRow("both") << QStringList{"12+7=19", "56/8=7"} << QStringList{"9*3=28", "3+4=07"}
                              << QByteArray("12+7=19\r\n56/8=7\r\n") << QByteArray("9*3=28\r\n3+4=07\r\n");
        QTest::newRow("only right") << QStringList{"40-17=23"} << QStringList{} << QByteArray("40-17=23\r\n")
                                    << QByteArray();
        QTest::newRow("only wrong") << QStringList{} << QStringList{"5-5=1"} << QByteArray()
                                    << QByteArray("5-5=1\r\n");
        QTest::newRow("signed answers") << QStringList{"1+1=+2"} << QStringList{"2-1=-1"}
                                        << QByteArray("1+1=+2\r\n") << QByteArray("2-1=-1\r\n");
    }

    void linesAreWrittenByteForByte()
    {
        QFETCH(QStringList, right);
        QFETCH(QStringList, wrong);
        QFETCH(QByteArray, rightBytes);
        QFETCH(QByteArray, wrongBytes);
        MakeFolders({"Lxdui", "Lxcuo"});
        QCOMPARE(SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf(right, wrong), Date), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), rightBytes);
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), wrongBytes);
        QVERIFY(QFile::exists(root_ + "Lxcuo/2024-3-7.txt"));
        QCOMPARE(QDir(root_ + "Lxdui").entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void aSecondSaveReplacesTheFirst()
    {
        MakeFolders({"Lxdui", "Lxcuo"});
        QCOMPARE(SaveDrillRecords(root_, PracticeRecordFolders(),
                                  TallyOf({"1+1=2", "2+2=4", "3+3=6"}, {"1+2=4"}), Date),
                 QString());
        QCOMPARE(SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf({"4+4=8"}, {}), Date), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), QByteArray("4+4=8\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray());
    }

    void theModesKeepToTheirOwnFolders()
    {
        MakeFolders({"Lxdui", "Lxcuo", "jjdui", "jjcuo"});
        QCOMPARE(SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf({"1+1=2"}, {"2*2=5"}), Date), QString());
        QCOMPARE(SaveDrillRecords(root_, CompetitionRecordFolders(), TallyOf({"3*3=9"}, {}), Date), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), QByteArray("1+1=2\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray("2*2=5\r\n"));
        QCOMPARE(Contents("jjdui/2024-3-7.txt"), QByteArray("3*3=9\r\n"));
        QCOMPARE(Contents("jjcuo/2024-3-7.txt"), QByteArray());
    }

    void missingFoldersGiveTheCreateError()
    {
        const QString error = SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf({"1+1=2"}, {}), Date);
        const QString path = QDir::toNativeSeparators(root_ + "Lxdui/2024-3-7.txt");
        QVERIFY2(error.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)), qPrintable(error));
        // The system's reason follows the path.
        QVERIFY(error.size() > QStringLiteral("Cannot create file \"%1\". ").arg(path).size());
        QVERIFY(QDir(root_).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void aRightFileWrittenBeforeAFailureStays()
    {
        MakeFolders({"jjdui"});
        const QString error =
            SaveDrillRecords(root_, CompetitionRecordFolders(), TallyOf({"6/3=2"}, {"6/2=4"}), Date);
        QVERIFY2(error.startsWith(
                     QStringLiteral("Cannot create file \"%1\"").arg(QDir::toNativeSeparators(root_ + "jjcuo/2024-3-7.txt"))),
                 qPrintable(error));
        QCOMPARE(Contents("jjdui/2024-3-7.txt"), QByteArray("6/3=2\r\n"));
    }

    void aFailedSaveKeepsTheEarlierFileWhole()
    {
        MakeFolders({"Lxdui", "Lxcuo"});
        QCOMPARE(SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf({"1+1=2"}, {"1+2=4"}), Date), QString());
        // The wrong-answers file's name is taken by a folder: that write fails.
        QVERIFY(QDir(root_).mkpath("Lxcuo/2024-3-8.txt"));
        int asked = 0;
        const auto nextDay = [&asked] { return ++asked == 1 ? QStringLiteral("2024-3-7") : QStringLiteral("2024-3-8"); };
        const QString error = SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf({"2+2=4"}, {"3+3=7"}), nextDay);
        QVERIFY(error.startsWith(QStringLiteral("Cannot create file ")));
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), QByteArray("2+2=4\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray("1+2=4\r\n"));
        QVERIFY(QFileInfo(root_ + "Lxcuo/2024-3-8.txt").isDir());
    }

    // A disk that takes only so many bytes per file, below and above Qt's
    // 16 KB write buffer: the file that does not fit keeps the day's earlier
    // save byte for byte, and one written before it stays written.
    void aFullDiskKeepsTheEarlierSave_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("room");
        QTest::addColumn<bool>("rightWritten");
        QTest::newRow("below the buffer") << 100 << 100 << 512 << false;
        QTest::newRow("above the buffer") << 4000 << 4000 << 20000 << false;
        QTest::newRow("only the wrong answers do not fit") << 5 << 4000 << 1024 << true;
    }

    void aFullDiskKeepsTheEarlierSave()
    {
        QFETCH(int, right);
        QFETCH(int, wrong);
        QFETCH(int, room);
        QFETCH(bool, rightWritten);
        MakeFolders({"Lxdui", "Lxcuo"});
        QCOMPARE(SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf({"1+1=2"}, {"1+2=4"}), Date), QString());

        const DrillTally tally = TallyOf(Answers(right), Answers(wrong));
        QString error;
        {
            FullDisk full(static_cast<rlim_t>(room));
            error = SaveDrillRecords(root_, PracticeRecordFolders(), tally, Date);
        }
        const QString failed = rightWritten ? "Lxcuo/2024-3-7.txt" : "Lxdui/2024-3-7.txt";
        QCOMPARE(error, QStringLiteral("Cannot create file \"%1\". File too large")
                            .arg(QDir::toNativeSeparators(root_ + failed)));
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), rightWritten ? Joined(Answers(right)) : QByteArray("1+1=2\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray("1+2=4\r\n"));
        for (const char *folder : {"Lxdui", "Lxcuo"})
            QCOMPARE(QDir(root_ + folder).entryList(QDir::Files | QDir::Hidden), QStringList{"2024-3-7.txt"});

        QCOMPARE(SaveDrillRecords(root_, PracticeRecordFolders(), tally, Date), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), Joined(Answers(right)));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), Joined(Answers(wrong)));
    }

    void theDateIsAskedForEachFile()
    {
        MakeFolders({"Lxdui", "Lxcuo"});
        int asked = 0;
        const auto midnight = [&asked] { return ++asked == 1 ? QStringLiteral("2024-3-7") : QStringLiteral("2024-3-8"); };
        QCOMPARE(SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf({"1+1=2"}, {"1+1=3"}), midnight), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), QByteArray("1+1=2\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-8.txt"), QByteArray("1+1=3\r\n"));
    }

    void dateTextHasNoPathSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("Chinese") << QLocale(QLocale::Chinese, QLocale::China);
        QTest::newRow("English (US)") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    }

    void dateTextHasNoPathSeparator()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const QString text = RecordDateText();
        QLocale::setDefault(QLocale::c());
        QVERIFY2(!text.isEmpty() && !text.contains(QLatin1Char('/')) && !text.contains(QLatin1Char('\\')),
                 qPrintable(text));
        if (locale.language() == QLocale::Chinese)
            QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d{1,2}-\\d{1,2}$")).match(text).hasMatch(),
                     qPrintable(text));
    }

    void aChineseDateNamesAFileThatCanBeSaved()
    {
        MakeFolders({"Lxdui", "Lxcuo"});
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        const QString error = SaveDrillRecords(root_, PracticeRecordFolders(), TallyOf({"1+1=2"}, {}));
        const QString name = RecordDateText() + QStringLiteral(".txt");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(error, QString());
        QCOMPARE(Contents("Lxdui/" + name), QByteArray("1+1=2\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_DrillRecords)
#include "tst_drillrecords.moc"
