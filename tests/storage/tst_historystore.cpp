#include "storage/HistoryQueries.h"
#include "storage/HistorySchema.h"
#include "storage/HistoryStore.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int Count(const HistoryStore &store, const QString &sql)
{
    QSqlQuery query(store.Database());
    return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
}

AnswerRow Answer(qint64 session, int child, QDateTime at, const QString &problem, bool right,
                 std::optional<int> millis)
{
    return {session, child, HistoryOrigin::Practice, at, problem, right ? QStringLiteral("1") : QStringLiteral("2"),
            right, millis};
}

// One session on a day: `total` answers of which `right` are right, each
// taking `seconds`; the misses are all "8+7".
void Practise(HistoryStore &store, int child, QDate day, int total, int right, int seconds,
              const QString &preset = {})
{
    SessionRow session;
    session.id = HistoryStore::NewSessionId();
    session.child = child;
    session.started = QDateTime(day, QTime(17, 0));
    session.total = total;
    session.right = right;
    session.setting = QStringLiteral("100以内 加减");
    if (!preset.isEmpty()) {
        session.presetId = QStringLiteral("g2a");
        session.presetName = preset;
        session.targetPerMinute = 10;
        session.targetAccuracy = 90;
    }
    store.Keep(session);
    for (int k = 0; k < total; ++k)
        store.Keep(Answer(session.id, child, session.started.addSecs(k * seconds),
                          k < right ? QStringLiteral("%1+1").arg(k) : QStringLiteral("8+7"), k < right,
                          seconds * 1000));
}

// An answer on a day counted from today, its time in milliseconds if it
// was timed (an exam's box is not).
struct DatedAnswer {
    int fromToday = 0;
    QString problem;
    bool right = false;
    std::optional<int> millis;
};

// A writer of its own: a forked copy of this test (a plain fork, which an
// emulator runs as well) that writes answers one per transaction and reports
// the count committed after each, a line each, on its output.
struct Writer {
    pid_t pid;
    std::FILE *output;
};

int WriteAsChild(const QString &path, int child, int count, std::FILE *out)
{
    HistoryStore store(path);
    const qint64 session = HistoryStore::NewSessionId();
    for (int k = 1; k <= count; ++k) {
        store.Keep(Answer(session, child, QDateTime::currentDateTime(), QStringLiteral("3+4"), true, 1200));
        while (store.Write() != HistoryStore::WriteResult::Written) {
            if (store.Write() == HistoryStore::WriteResult::Failed && !store.LastError().contains(u"lock"))
                return 1;
        }
        std::fprintf(out, "%d\n", k);
        std::fflush(out);
    }
    return 0;
}

Writer StartWriter(const QString &path, int child, int count)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        qFatal("pipe: %s", std::strerror(errno));
    const pid_t pid = ::fork();
    if (pid < 0)
        qFatal("fork: %s", std::strerror(errno));
    if (pid == 0) {
        ::close(pipeFds[0]);
        ::_exit(WriteAsChild(path, child, count, ::fdopen(pipeFds[1], "w")));
    }
    ::close(pipeFds[1]);
    return {pid, ::fdopen(pipeFds[0], "r")};
}

// The writer's exit status once it has ended, or -1 when it did not exit.
int Finish(const Writer &writer)
{
    int status = 0;
    const bool exited = ::waitpid(writer.pid, &status, 0) == writer.pid && WIFEXITED(status);
    std::fclose(writer.output);
    return exited ? WEXITSTATUS(status) : -1;
}

}  // namespace

Q_DECLARE_METATYPE(DatedAnswer)

class tst_HistoryStore : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); path_ = HistoryStore::PathIn(dir_.path() + u'/'); }
    void cleanup() { QDir(dir_.path()).removeRecursively(); QDir().mkpath(dir_.path()); }

    void migratesAnEmptyFile()
    {
        QVERIFY(TestFiles::WriteAll(path_, {}));
        HistoryStore store(path_);
        QVERIFY2(store.Open(), qPrintable(store.LastError()));
        QSqlDatabase db = store.Database();
        QCOMPARE(HistorySchema::Version(db), HistorySchema::Current);
        QSqlQuery mode(db);
        QVERIFY(mode.exec(QStringLiteral("PRAGMA journal_mode")) && mode.next());
        QCOMPARE(mode.value(0).toString(), QStringLiteral("wal"));
    }

    void migratesTheFirstVersion()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
            db.setDatabaseName(path_);
            QVERIFY(db.open());
            QCOMPARE(HistorySchema::MigrateTo(db, 1), std::nullopt);
            const qint64 at = QDateTime(QDate(2024, 3, 7), QTime(23, 30)).toMSecsSinceEpoch();
            QVERIFY(QSqlQuery(db).exec(
                QStringLiteral("INSERT INTO answers(session, child, origin, at, problem, answer, right, millis) "
                               "VALUES(1, 1, 1, %1, '8+7', '15', 1, 3000)")
                    .arg(at)));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v1"));
        HistoryStore store(path_);
        QVERIFY(store.Open());
        QSqlDatabase db = store.Database();
        QCOMPARE(HistorySchema::Version(db), HistorySchema::Current);
        const QList<DayFigures> days = HistoryQueries::PerDay(store, 1, QDate(2024, 3, 1), QDate(2024, 3, 31));
        QCOMPARE(days.size(), 1);
        QCOMPARE(days.first().day, QDate(2024, 3, 7));
        QCOMPARE(days.first().total, 1);
    }

    void chartQueries()
    {
        HistoryStore store(path_);
        Practise(store, 1, QDate(2024, 1, 30), 10, 7, 6);
        Practise(store, 1, QDate(2024, 1, 31), 4, 4, 3, QStringLiteral("二年级上"));
        Practise(store, 1, QDate(2024, 2, 1), 6, 5, 2, QStringLiteral("二年级上"));
        Practise(store, 1, QDate(2024, 2, 3), 5, 5, 4);
        Practise(store, 2, QDate(2024, 2, 2), 9, 0, 9);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);

        const QList<DayFigures> days = HistoryQueries::PerDay(store, 1, QDate(2024, 1, 28), QDate(2024, 2, 3));
        QCOMPARE(days.size(), 4);
        QCOMPARE(days.at(0).total, 10);
        QCOMPARE(days.at(0).Accuracy(), 70.0);
        QCOMPARE(days.at(0).PerMinute(), 10.0);
        QCOMPARE(days.at(2).day, QDate(2024, 2, 1));
        QCOMPARE(days.at(2).PerMinute(), 30.0);

        const QList<QDate> practised =
            HistoryQueries::PractisedDays(store, 1, QDate(2023, 12, 1), QDate(2024, 2, 3));
        QCOMPARE(HistoryQueries::Streak(practised, QDate(2024, 2, 1)), 3);  // across the month's end
        QCOMPARE(HistoryQueries::Streak(practised, QDate(2024, 2, 2)), 3);  // today still to come
        QCOMPARE(HistoryQueries::Streak(practised, QDate(2024, 2, 3)), 1);  // the missed day ends it
        QCOMPARE(HistoryQueries::Streak(practised, QDate(2024, 2, 5)), 0);

        const QList<SkillFigures> weakest =
            HistoryQueries::WeakestSkills(store, 1, QDate(2024, 1, 1), 3);
        QCOMPARE(weakest.size(), 2);
        QCOMPARE(weakest.first().skill, QStringLiteral("100以内 加减"));
        QCOMPARE(weakest.first().total, 15);
        QCOMPARE(weakest.first().right, 12);

        const QList<ProblemFigures> hardest =
            HistoryQueries::HardestProblems(store, 1, QDate(2024, 1, 1), 5);
        QCOMPARE(hardest.first().problem, QStringLiteral("8+7"));
        QCOMPARE(hardest.first().missed, 4);
        QCOMPARE(*hardest.first().averageSeconds, 5.0);  // (3 × 6 s + 2 s) / 4

        const std::optional<PresetTarget> preset =
            HistoryQueries::MostPractisedPreset(store, 1, QDate(2024, 1, 1));
        QVERIFY(preset);
        QCOMPARE(preset->name, QStringLiteral("二年级上"));
        QCOMPARE(preset->perMinute, 10.0);

        const QByteArray csv = HistoryQueries::AnswersCsv(store, 1);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF时间,来自,题目"));
        QCOMPARE(csv.count("\r\n"), 1 + 25);
    }

    // What the charts count: every answer, untimed too, in the accuracy; a
    // never-missed problem from 5 s on among the hardest; an answer dated
    // after today (a clock run ahead) on today, once.
    void chartsCountEveryAnswerOnce_data()
    {
        QTest::addColumn<QList<DatedAnswer>>("answers");
        QTest::addColumn<QStringList>("days");  // from today: answers, accuracy
        QTest::addColumn<int>("streak");
        QTest::addColumn<QStringList>("hardest");
        const QString slow = QStringLiteral("9+9");
        QTest::newRow("a year ahead shows on today")
            << QList<DatedAnswer>{{-1, "1+1", true, 1000}, {0, "2+2", true, 1000}, {365, "3+3", true, 1000},
                                  {366, "8+7", false, 1000}}
            << QStringList{"-1: 1, 100%", "0: 3, 67%"} << 2 << QStringList{"8+7"};
        QTest::newRow("only ahead still practised today")
            << QList<DatedAnswer>{{-2, "1+1", true, 1000}, {400, "2+2", true, 1000}}
            << QStringList{"-2: 1, 100%", "0: 1, 100%"} << 1 << QStringList{};
        QTest::newRow("untimed answers count in the accuracy")
            << QList<DatedAnswer>{{0, "1+1", true, 1000}, {0, "8+7", false, std::nullopt},
                                  {0, "3+3", true, std::nullopt}, {0, "4+4", true, std::nullopt}}
            << QStringList{"0: 4, 75%"} << 1 << QStringList{"8+7"};
        QTest::newRow("5 s on average is slow")
            << QList<DatedAnswer>{{0, slow, true, 4000}, {0, slow, true, 6000}, {0, "1+1", true, 4999}}
            << QStringList{"0: 3, 100%"} << 1 << QStringList{slow};
        QTest::newRow("a shade under 5 s is not")
            << QList<DatedAnswer>{{0, slow, true, 4999}} << QStringList{"0: 1, 100%"} << 1 << QStringList{};
    }

    void chartsCountEveryAnswerOnce()
    {
        QFETCH(QList<DatedAnswer>, answers);
        QFETCH(QStringList, days);
        QFETCH(int, streak);
        QFETCH(QStringList, hardest);
        const QDate today(2024, 3, 2);
        const QDate first = today.addDays(-6);
        HistoryStore store(path_);
        const qint64 session = HistoryStore::NewSessionId();
        for (const DatedAnswer &answer : answers)
            store.Keep(Answer(session, 1, QDateTime(today.addDays(answer.fromToday), QTime(18, 0)), answer.problem,
                              answer.right, answer.millis));
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);

        QStringList seen;
        for (const DayFigures &day : HistoryQueries::PerDay(store, 1, first, today))
            seen << QStringLiteral("%1: %2, %3%")
                        .arg(today.daysTo(day.day))
                        .arg(day.total)
                        .arg(std::lround(day.Accuracy()));
        QCOMPARE(seen, days);
        QCOMPARE(HistoryQueries::Streak(HistoryQueries::PractisedDays(store, 1, first, today), today), streak);
        QStringList problems;
        for (const ProblemFigures &problem : HistoryQueries::HardestProblems(store, 1, first, 5))
            problems << problem.problem;
        QCOMPARE(problems, hardest);
    }

    void survivesKillDuringWrites()
    {
        const Writer writer = StartWriter(path_, 1, 100000);
        int committed = 0;
        char line[32];
        while (committed < 300 && std::fgets(line, sizeof line, writer.output))
            committed = std::atoi(line);
        ::kill(writer.pid, SIGKILL);
        QCOMPARE(Finish(writer), -1);
        QVERIFY(committed >= 300);

        HistoryStore store(path_);
        QVERIFY(store.Open());
        QSqlQuery check(store.Database());
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
        QVERIFY(Count(store, QStringLiteral("SELECT count(*) FROM answers")) >= committed);
    }

    void twoWritersKeepBoth()
    {
        QVERIFY(HistoryStore(path_).Open());
        const Writer first = StartWriter(path_, 1, 300);
        const Writer second = StartWriter(path_, 2, 300);
        QCOMPARE(Finish(first), 0);
        QCOMPARE(Finish(second), 0);
        HistoryStore store(path_);
        QVERIFY(store.Open());
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers WHERE child = 1")), 300);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers WHERE child = 2")), 300);
    }

    void fullDiskKeepsEverything()
    {
        HistoryStore store(path_);
        Practise(store, 1, QDate(2024, 5, 1), 20, 20, 3);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        QSqlQuery(store.Database()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        {
            const FullDisk full(QFileInfo(path_).size());
            Practise(store, 1, QDate(2024, 5, 2), 500, 400, 3);
            QCOMPARE(store.Write(), HistoryStore::WriteResult::Failed);
            QVERIFY2(store.LastError().contains(path_), qPrintable(store.LastError()));
        }
        QCOMPARE(store.Unwritten(), 501);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), 20);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), 520);
    }

    void damagedFileIsSetAside()
    {
        const QByteArray garbage(8192, 'x');
        QVERIFY(TestFiles::WriteAll(path_, garbage));
        HistoryStore store(path_);
        QVERIFY(store.Open());
        QVERIFY(store.TakeNotice().value_or(QString()).contains(u"坏了"));
        const QStringList aside = QDir(dir_.path()).entryList({QStringLiteral("chengzhang.db.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestFiles::ReadAll(dir_.filePath(aside.first())), garbage);
        Practise(store, 1, QDate(2024, 5, 1), 3, 3, 3);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
    }

    void newerFileIsOnlyRead()
    {
        {
            HistoryStore newer(path_);
            QVERIFY(newer.Open());
            QSqlQuery(newer.Database()).exec(QStringLiteral("PRAGMA user_version = 99"));
        }
        HistoryStore store(path_);
        QVERIFY(store.Open());
        QVERIFY(store.ReadOnly());
        QVERIFY(store.TakeNotice().has_value());
        Practise(store, 1, QDate(2024, 5, 1), 3, 3, 3);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), 0);
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

QTEST_GUILESS_MAIN(tst_HistoryStore)

#include "tst_historystore.moc"
