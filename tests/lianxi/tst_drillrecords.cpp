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
#include <sys/wait.h>
#include <unistd.h>

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
        QTest::newRow("有余数的除法 in GBK") << QStringList{"38/5=7……3"} << QStringList{"9/5=1……3"}
                                          << QByteArray("38/5=7\xA1\xAD\xA1\xAD" "3\r\n")
                                          << QByteArray("9/5=1\xA1\xAD\xA1\xAD" "3\r\n");
    }

    void linesAreWrittenByteForByte()
    {
        QFETCH(QStringList, right);
        QFETCH(QStringList, wrong);
        QFETCH(QByteArray, rightBytes);
        QFETCH(QByteArray, wrongBytes);
        MakeFolders({"Lxdui", "Lxcuo"});
        QCOMPARE(DrillRecords(root_).Save(PracticeRecordFolders(), TallyOf(right, wrong), Date()), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), rightBytes);
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), wrongBytes);
        QVERIFY(QFile::exists(root_ + "Lxcuo/2024-3-7.txt"));
        QCOMPARE(QDir(root_ + "Lxdui").entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // No character of a line is ever changed on its way to the file: a line
    // GBK cannot hold is an error, and neither file is written.
    void aLineGbkCannotHoldWritesNothing()
    {
        MakeFolders({"Lxdui", "Lxcuo"});
        QCOMPARE(DrillRecords(root_).Save(PracticeRecordFolders(), TallyOf({"1+1=2"}, {}), Date()), QString());
        const QString line = QStringLiteral("3+3=6\U0001F44D");
        QCOMPARE(DrillRecords(root_).Save(PracticeRecordFolders(), TallyOf({"2+2=4"}, {line}), Date()),
                 QStringLiteral("Cannot create file \"%1\". The line \"%2\" cannot be written in GBK")
                     .arg(QDir::toNativeSeparators(root_ + "Lxcuo/2024-3-7.txt"), line));
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), QByteArray("1+1=2\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray());
    }

    // Saving twice in one drill never doubles a line; the day's lines of
    // other drills, in this copy of the program or another, are kept.
    void aSecondSaveReplacesOnlyTheDrillsOwnLines()
    {
        MakeFolders({"Lxdui", "Lxcuo"});
        DrillRecords morning(root_);
        QCOMPARE(morning.Save(PracticeRecordFolders(), TallyOf({"1+1=2", "2+2=4"}, {"1+2=4"}), Date()), QString());
        DrillRecords afternoon(root_);
        QCOMPARE(afternoon.Save(PracticeRecordFolders(), TallyOf({"5+5=10"}, {}), Date()), QString());
        QCOMPARE(morning.Save(PracticeRecordFolders(), TallyOf({"1+1=2", "2+2=4", "3+3=6"}, {"1+2=4"}), Date()),
                 QString());
        QCOMPARE(afternoon.Save(PracticeRecordFolders(), TallyOf({"5+5=10", "6+6=12"}, {"6+7=14"}), Date()),
                 QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), QByteArray("1+1=2\r\n2+2=4\r\n3+3=6\r\n5+5=10\r\n6+6=12\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray("1+2=4\r\n6+7=14\r\n"));

        // "重新练习" begins a new drill, whose lines go beside the first's.
        afternoon.StartNewDrill();
        QCOMPARE(afternoon.Save(PracticeRecordFolders(), TallyOf({"7+7=14"}, {}), Date()), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"),
                 QByteArray("1+1=2\r\n2+2=4\r\n3+3=6\r\n5+5=10\r\n6+6=12\r\n7+7=14\r\n"));
    }

    // Two copies of the program, each saving after every answer at once.
    void twoCopiesSavingTheSameDayKeepBoth()
    {
        MakeFolders({"jjdui", "jjcuo"});
        QList<pid_t> copies;
        for (int copy = 1; copy <= 2; ++copy) {
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                DrillRecords records(root_);
                QStringList right;
                for (int i = 0; i < 20; ++i) {
                    right << QStringLiteral("%1+%2=%3").arg(copy).arg(i).arg(copy + i);
                    for (int tries = 0; !records.Save(CompetitionRecordFolders(), TallyOf(right, {}), Date()).isEmpty();
                         ++tries) {
                        if (tries == 100)
                            ::_exit(1);
                    }
                }
                ::_exit(0);
            }
            copies << child;
        }
        for (const pid_t child : copies) {
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QCOMPARE(WEXITSTATUS(status), 0);
        }
        const QByteArray saved = Contents("jjdui/2024-3-7.txt");
        QCOMPARE(saved.count("\r\n"), 40);
        for (int i = 0; i < 20; ++i) {
            QVERIFY(saved.contains(QStringLiteral("1+%1=%2\r\n").arg(i).arg(1 + i).toLatin1()));
            QVERIFY(saved.contains(QStringLiteral("2+%1=%2\r\n").arg(i).arg(2 + i).toLatin1()));
        }
    }

    void aLinkedRecordFileOrFolderIsRefused_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("error");
        QTest::newRow("file") << "Lxdui/2024-3-7.txt" << "outside/bashrc" << "Cannot open file \"%1\". Is a symbolic link";
        QTest::newRow("folder") << "Lxdui" << "outside" << "Cannot create file \"%1\". Its folder is a symbolic link";
    }

    void aLinkedRecordFileOrFolderIsRefused()
    {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(QString, error);
        MakeFolders({"outside", "Lxcuo"});
        if (link == QStringLiteral("Lxdui/2024-3-7.txt"))
            MakeFolders({"Lxdui"});
        QVERIFY(TestFiles::WriteAll(root_ + "outside/bashrc", "the user's own\n"));
        QVERIFY(QFile::link(root_ + target, root_ + link));
        QCOMPARE(DrillRecords(root_).Save(PracticeRecordFolders(), TallyOf({"1+1=2"}, {"1+1=3"}), Date()),
                 error.arg(QDir::toNativeSeparators(root_ + "Lxdui/2024-3-7.txt")));
        QCOMPARE(QDir(root_ + "outside").entryList(QDir::Files | QDir::Hidden), QStringList{"bashrc"});
        QCOMPARE(Contents("outside/bashrc"), QByteArray("the user's own\n"));
    }

    void theModesKeepToTheirOwnFolders()
    {
        MakeFolders({"Lxdui", "Lxcuo", "jjdui", "jjcuo"});
        QCOMPARE(DrillRecords(root_).Save(PracticeRecordFolders(), TallyOf({"1+1=2"}, {"2*2=5"}), Date()), QString());
        QCOMPARE(DrillRecords(root_).Save(CompetitionRecordFolders(), TallyOf({"3*3=9"}, {}), Date()), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), QByteArray("1+1=2\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray("2*2=5\r\n"));
        QCOMPARE(Contents("jjdui/2024-3-7.txt"), QByteArray("3*3=9\r\n"));
        QCOMPARE(Contents("jjcuo/2024-3-7.txt"), QByteArray());
    }

    void missingFoldersGiveTheCreateError()
    {
        const QString error = DrillRecords(root_).Save(PracticeRecordFolders(), TallyOf({"1+1=2"}, {}), Date());
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
            DrillRecords(root_).Save(CompetitionRecordFolders(), TallyOf({"6/3=2"}, {"6/2=4"}), Date());
        QVERIFY2(error.startsWith(
                     QStringLiteral("Cannot create file \"%1\"").arg(QDir::toNativeSeparators(root_ + "jjcuo/2024-3-7.txt"))),
                 qPrintable(error));
        QCOMPARE(Contents("jjdui/2024-3-7.txt"), QByteArray("6/3=2\r\n"));
    }

    void aFailedSaveKeepsTheEarlierFileWhole()
    {
        MakeFolders({"Lxdui", "Lxcuo"});
        DrillRecords records(root_);
        QCOMPARE(records.Save(PracticeRecordFolders(), TallyOf({"1+1=2"}, {"1+2=4"}), Date()), QString());
        // The wrong-answers file is marked read-only: that write fails.
        QVERIFY(QFile::setPermissions(root_ + "Lxcuo/2024-3-7.txt", QFileDevice::ReadOwner));
        const QString error = records.Save(PracticeRecordFolders(), TallyOf({"1+1=2", "2+2=4"}, {"1+2=4", "3+3=7"}), Date());
        QVERIFY(error.startsWith(QStringLiteral("Cannot create file ")));
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), QByteArray("1+1=2\r\n2+2=4\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray("1+2=4\r\n"));
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
        DrillRecords records(root_);
        QCOMPARE(records.Save(PracticeRecordFolders(), TallyOf({"1+1=2"}, {"1+2=4"}), Date()), QString());

        const DrillTally tally = TallyOf(Answers(right), Answers(wrong));
        QString error;
        {
            FullDisk full(static_cast<rlim_t>(room));
            error = records.Save(PracticeRecordFolders(), tally, Date());
        }
        const QString failed = rightWritten ? "Lxcuo/2024-3-7.txt" : "Lxdui/2024-3-7.txt";
        QCOMPARE(error, QStringLiteral("Cannot create file \"%1\". File too large")
                            .arg(QDir::toNativeSeparators(root_ + failed)));
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), rightWritten ? Joined(Answers(right)) : QByteArray("1+1=2\r\n"));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), QByteArray("1+2=4\r\n"));
        for (const char *folder : {"Lxdui", "Lxcuo"})
            QCOMPARE(QDir(root_ + folder).entryList(QDir::Files | QDir::Hidden), QStringList{"2024-3-7.txt"});

        QCOMPARE(records.Save(PracticeRecordFolders(), tally, Date()), QString());
        QCOMPARE(Contents("Lxdui/2024-3-7.txt"), Joined(Answers(right)));
        QCOMPARE(Contents("Lxcuo/2024-3-7.txt"), Joined(Answers(wrong)));
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
        const QString error = DrillRecords(root_).Save(PracticeRecordFolders(), TallyOf({"1+1=2"}, {}), RecordDateText());
        const QString name = RecordDateText() + QStringLiteral(".txt");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(error, QString());
        QCOMPARE(Contents("Lxdui/" + name), QByteArray("1+1=2\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_DrillRecords)
#include "tst_drillrecords.moc"
