#include "storage/CsvTable.h"
#include "storage/HistoryQueries.h"
#include "storage/HistoryStore.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// The records as a spreadsheet reads them: quoted fields may hold commas,
// quotes (doubled) and line breaks; records end at CR LF.
QList<QStringList> ReadBack(const QByteArray &bytes)
{
    QList<QStringList> records;
    const QString text = QString::fromUtf8(bytes.sliced(3));
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (quoted) {
            if (c == u'"' && at + 1 < text.size() && text.at(at + 1) == u'"')
                field += text.at(++at);
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << std::exchange(field, {});
        } else if (c == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n') {
            record << std::exchange(field, {});
            records << std::exchange(record, {});
            ++at;
        } else {
            field += c;
        }
    }
    return records;
}

}  // namespace

class tst_CsvTable : public QObject {
    Q_OBJECT

private slots:
    // What a child may type into an exam box, and what a spreadsheet then
    // shows in its cell: never a formula, every record whole.
    void hostileCells_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("shown");
        QTest::newRow("formula") << "=2+3" << "'=2+3";
        QTest::newRow("plus") << "+1" << "'+1";
        QTest::newRow("minus") << "-3" << "'-3";
        QTest::newRow("at") << "@x" << "'@x";
        QTest::newRow("tab") << "\t=1" << "'\t=1";
        QTest::newRow("carriage return") << "\r=1" << "'\r=1";
        QTest::newRow("return inside") << "7\r8" << "7\r8";
        QTest::newRow("line break inside") << "7\n8" << "7\n8";
        QTest::newRow("comma") << "1,5" << "1,5";
        QTest::newRow("quotes") << "\"9\"" << "\"9\"";
        QTest::newRow("remainder") << "7……3" << "7……3";
        QTest::newRow("plain") << "42" << "42";
    }

    void hostileCells()
    {
        QFETCH(QString, cell);
        const QByteArray bytes = CsvTable::Write({QStringLiteral("答案"), QStringLiteral("对错")},
                                                 {{cell, QStringLiteral("错")}, {QStringLiteral("5"), cell}});
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.endsWith("\r\n"));
        const QList<QStringList> records = ReadBack(bytes);
        QCOMPARE(records.size(), 3);
        QTEST(records.at(1).at(0), "shown");
        QTEST(records.at(2).at(1), "shown");
        QCOMPARE(records.at(1).at(1), QStringLiteral("错"));
    }

    // The history's answers: × and ÷ for every problem, an exam box with the
    // time it was last changed and its seconds from the paper's start.
    void answersOfTheHistory()
    {
        QTemporaryDir dir;
        HistoryStore store(HistoryStore::PathIn(dir.path() + u'/'));
        const QDateTime start(QDate(2026, 12, 9), QTime(9, 0));
        SessionRow exam;
        exam.id = HistoryStore::NewSessionId();
        exam.origin = HistoryOrigin::Exam;
        exam.started = start;
        exam.total = 3;
        store.Keep(exam);
        store.Keep(AnswerRow{exam.id, 1, HistoryOrigin::Exam, start.addSecs(75), QStringLiteral("29*4"),
                             QStringLiteral("=2+3"), false, std::nullopt});
        store.Keep(AnswerRow{exam.id, 1, HistoryOrigin::Exam, start.addSecs(130), QStringLiteral("10÷3"),
                             QStringLiteral("3\r1"), false, std::nullopt});
        store.Keep(AnswerRow{exam.id, 1, HistoryOrigin::Exam, start.addSecs(200), QStringLiteral("8/2"),
                             QStringLiteral("4"), true, std::nullopt});
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);

        const QList<QStringList> answers = ReadBack(HistoryQueries::AnswersCsv(store, 1));
        QCOMPARE(answers.size(), 4);
        for (const QStringList &record : answers)
            QCOMPARE(record.size(), answers.first().size());
        QCOMPARE(answers.at(1).at(0), QStringLiteral("2026-12-09 09:01:15"));
        QCOMPARE(answers.at(1).at(2), QStringLiteral("29×4"));
        QCOMPARE(answers.at(1).at(3), QStringLiteral("'=2+3"));
        QCOMPARE(answers.at(1).last(), QStringLiteral("75"));
        QCOMPARE(answers.at(2).at(2), QStringLiteral("10÷3"));
        QCOMPARE(answers.at(2).at(3), QStringLiteral("3\r1"));
        QCOMPARE(answers.at(3).at(2), QStringLiteral("8÷2"));
        QCOMPARE(answers.at(3).last(), QStringLiteral("200"));

        // The sessions are a table of their own.
        const QList<QStringList> sessions = ReadBack(HistoryQueries::SessionsCsv(store, 1));
        QCOMPARE(sessions.size(), 2);
        QCOMPARE(sessions.at(1).at(2), QStringLiteral("考试"));
    }
};

QTEST_MAIN(tst_CsvTable)
#include "tst_csvtable.moc"
