#include "storage/HistoryQueries.h"
#include "storage/HistorySchema.h"
#include "storage/HistoryStore.h"
#include "storage/SaveRetry.h"
#include "support/AsNobody.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
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

// A connection of the test's own, as another program would open the file.
class OtherConnection {
public:
    explicit OtherConnection(const QString &path) : name_(QStringLiteral("other-%1").arg(++count_))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(path));
    }
    ~OtherConnection()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase Db() const { return QSqlDatabase::database(name_, false); }
    bool Exec(const QString &sql) const { return QSqlQuery(Db()).exec(sql); }

private:
    static inline int count_ = 0;
    QString name_;
};

// Every file in a folder with its bytes.
QMap<QString, QByteArray> Contents(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        contents.insert(name, TestFiles::ReadAll(folder + u'/' + name));
    return contents;
}

// What lies beside the history apart from its journals: the files set aside.
QStringList SetAside(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("chengzhang.db.*")}, QDir::Files, QDir::Name);
}

// The history as SaveRetry sees it, each save timed on the calling thread.
struct TimedSaves : PendingStore {
    explicit TimedSaves(HistoryStore &history) : store(history) {}
    bool HasUnsavedChanges() const override { return store.HasUnsavedChanges(); }
    std::optional<StoreFile::SaveFailure> Save() override
    {
        QElapsedTimer clock;
        clock.start();
        std::optional<StoreFile::SaveFailure> failure = store.Save();
        longest = std::max(longest, clock.elapsed());
        return failure;
    }

    HistoryStore &store;
    qint64 longest = 0;
};

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
    // Eight hours east of UTC, so that a local day is not the UTC day.
    void initTestCase()
    {
        qputenv("TZ", "CST-8");
        ::tzset();
    }

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
            // Still 6 March in UTC.
            const qint64 at = QDateTime(QDate(2024, 3, 7), QTime(0, 30)).toMSecsSinceEpoch();
            QVERIFY(QSqlQuery(db).exec(
                QStringLiteral("INSERT INTO answers(session, child, origin, at, problem, answer, right, millis) "
                               "VALUES(1, 1, 1, %1, '8+7', '15', 1, 3000)")
                    .arg(at)));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v1"));
        HistoryStore store(path_);
        QVERIFY(store.Open());
        store.WaitForMigration();
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
        // The program's own journal is replayed, and nothing set aside.
        QCOMPARE(store.TakeNotice(), std::nullopt);
        QCOMPARE(SetAside(dir_.path()), QStringList());
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


    void linksAreRefused_data()
    {
        QTest::addColumn<QString>("history");  // in the test's folder
        QTest::addColumn<QString>("link");     // in the test's folder
        QTest::addColumn<QString>("target");   // in the outside folder
        QTest::addColumn<QString>("refusal");
        const QString file = QStringLiteral("chengzhang.db");
        const QString isALink = QStringLiteral("Is a symbolic link");
        QTest::newRow("file") << file << file << QStringLiteral("other.db") << isALink;
        QTest::newRow("file to nothing") << file << file << QStringLiteral("nothing.db") << isALink;
        QTest::newRow("-wal") << file << file + QStringLiteral("-wal") << QStringLiteral("canary") << isALink;
        QTest::newRow("-shm") << file << file + QStringLiteral("-shm") << QStringLiteral("canary") << isALink;
        QTest::newRow("-journal") << file << file + QStringLiteral("-journal") << QStringLiteral("canary")
                                  << isALink;
        QTest::newRow("folder") << QStringLiteral("database/chengzhang.db") << QStringLiteral("database")
                                << QString() << QStringLiteral("Its folder is a symbolic link");
    }

    // Nothing outside is written, made or read through a link.
    void linksAreRefused()
    {
        QFETCH(QString, history);
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(QString, refusal);
        QTemporaryDir outside;
        QVERIFY(TestFiles::WriteAll(outside.filePath(QStringLiteral("canary")), "the child's own file"));
        {
            HistoryStore other(HistoryStore::PathIn(outside.path() + u'/'));
            Practise(other, 1, QDate(2024, 5, 1), 3, 3, 3);
            QCOMPARE(other.Write(), HistoryStore::WriteResult::Written);
        }
        QVERIFY(QFile::rename(outside.filePath(QStringLiteral("chengzhang.db")),
                              outside.filePath(QStringLiteral("other.db"))));
        const QMap<QString, QByteArray> before = Contents(outside.path());
        QVERIFY(QFile::link(target.isEmpty() ? outside.path() : outside.filePath(target), dir_.filePath(link)));

        HistoryStore store(dir_.filePath(history));
        Practise(store, 1, QDate(2024, 5, 2), 4, 4, 3);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Failed);
        QVERIFY2(store.LastError().contains(refusal), qPrintable(store.LastError()));
        QCOMPARE(store.Unwritten(), 5);
        QCOMPARE(Contents(outside.path()), before);
    }

    // Marked read-only, the file stays as it is, even for root; the answers wait.
    void aFileMarkedReadOnlyIsNotWritten()
    {
        {
            HistoryStore store(path_);
            Practise(store, 1, QDate(2024, 5, 1), 3, 3, 3);
            QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        }
        QVERIFY(QFile::setPermissions(path_, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QByteArray before = TestFiles::ReadAll(path_);
        HistoryStore store(path_);
        Practise(store, 1, QDate(2024, 5, 2), 4, 4, 3);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Failed);
        QVERIFY2(store.LastError().contains(u"Permission denied"), qPrintable(store.LastError()));
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), 3);
        QCOMPARE(TestFiles::ReadAll(path_), before);
        QVERIFY(QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), 7);
    }

    // Another database's journal beside the history: both are kept as they
    // were, and a new history starts with one notice.
    void aForeignJournalIsSetAsideWithTheFile()
    {
        {
            HistoryStore store(path_);
            Practise(store, 1, QDate(2024, 5, 1), 6, 6, 3);
            QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        }
        const QByteArray history = TestFiles::ReadAll(path_);
        QTemporaryDir elsewhere;
        const QString foreign = elsewhere.filePath(QStringLiteral("other.db"));
        {
            OtherConnection other(foreign);
            QVERIFY(other.Exec(QStringLiteral("PRAGMA journal_mode = WAL")));
            QVERIFY(other.Exec(QStringLiteral("CREATE TABLE pets(name TEXT)")));
            QVERIFY(QFile::copy(foreign + QStringLiteral("-wal"), path_ + QStringLiteral("-wal")));
        }
        const QByteArray journal = TestFiles::ReadAll(path_ + QStringLiteral("-wal"));
        QVERIFY(!journal.isEmpty());

        HistoryStore store(path_);
        QVERIFY2(store.Open(), qPrintable(store.LastError()));
        const QStringList aside = SetAside(dir_.path());
        QCOMPARE(aside.size(), 2);
        QVERIFY(store.TakeNotice().value_or(QString()).contains(dir_.filePath(aside.first())));
        QCOMPARE(store.TakeNotice(), std::nullopt);
        QCOMPARE(TestFiles::ReadAll(dir_.filePath(aside.first())), history);
        QCOMPARE(TestFiles::ReadAll(dir_.filePath(aside.last())), journal);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), 0);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'pets'")), 0);
        Practise(store, 1, QDate(2024, 5, 2), 2, 2, 3);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
    }

    void aDamagedSchemaIsSetAside_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("answers dropped") << QStringLiteral("DROP TABLE answers");
        QTest::newRow("column renamed") << QStringLiteral("ALTER TABLE answers RENAME COLUMN millis TO ms");
    }

    void aDamagedSchemaIsSetAside()
    {
        QFETCH(QString, damage);
        {
            HistoryStore store(path_);
            Practise(store, 1, QDate(2024, 5, 1), 6, 6, 3);
            QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        }
        QVERIFY(OtherConnection(path_).Exec(damage));
        HistoryStore store(path_);
        Practise(store, 1, QDate(2024, 5, 2), 2, 2, 3);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        QCOMPARE(SetAside(dir_.path()).size(), 1);
        QVERIFY(store.TakeNotice().value_or(QString()).contains(u"坏了"));
        QCOMPARE(store.TakeNotice(), std::nullopt);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), 2);
    }

    // In a folder it may not change, nothing is said to be set aside that
    // is not, and nothing is written.
    void aFailedSetAsideIsToldAsItIs()
    {
        const QString folder = dir_.filePath(QStringLiteral("fixed"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = HistoryStore::PathIn(folder + u'/');
        QVERIFY(TestFiles::WriteAll(path, QByteArray(8192, 'x')));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(0x6666)));
        QVERIFY(QFile::setPermissions(dir_.path(), QFileDevice::Permissions(0x7555)));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x5555)));
        {
            const AsNobody nobody;
            HistoryStore store(path);
            Practise(store, 1, QDate(2024, 5, 1), 2, 2, 3);
            QCOMPARE(store.Write(), HistoryStore::WriteResult::Failed);
            QCOMPARE(store.TakeNotice(), std::nullopt);
            QVERIFY2(store.LastError().startsWith(QStringLiteral("成长记录的文件 %1 坏了，没能另存").arg(path)),
                     qPrintable(store.LastError()));
            QVERIFY2(store.LastError().contains(u"Permission denied"), qPrintable(store.LastError()));
        }
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7700)));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("chengzhang.db")});
        QCOMPARE(TestFiles::ReadAll(path), QByteArray(8192, 'x'));
    }

    // A batch the file was too busy for is tried again without another answer.
    void aBusyBatchIsTriedAgain()
    {
        QVERIFY(HistoryStore(path_).Open());
        HistoryStore store(path_);
        SaveRetry saves(store, [](const QString &error) { QFAIL(qPrintable(error)); });
        {
            OtherConnection other(path_);
            QVERIFY(other.Exec(QStringLiteral("BEGIN IMMEDIATE")));
            Practise(store, 1, QDate(2024, 5, 1), 3, 3, 3);
            saves.Changed();
            QTest::qWait(100);
            QCOMPARE(store.Unwritten(), 4);
        }
        QTRY_COMPARE_WITH_TIMEOUT(store.Unwritten(), 0, 5000);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), 3);
    }

    // 300,000 answers of the first version: no save on the window's thread
    // takes 100 ms, and the answers given meanwhile go in once it is done.
    void aLargeMigrationNeverHoldsTheWindowUp()
    {
        constexpr int kRows = 300000;
        {
            OtherConnection v1(path_);
            QSqlDatabase db = v1.Db();
            QVERIFY(v1.Exec(QStringLiteral("PRAGMA journal_mode = WAL")));
            QCOMPARE(HistorySchema::MigrateTo(db, 1), std::nullopt);
            const qint64 start = QDateTime(QDate(2020, 1, 1), QTime(8, 0)).toMSecsSinceEpoch();
            QVERIFY(v1.Exec(QStringLiteral("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < %1) "
                                           "INSERT INTO answers(session, child, origin, at, problem, answer, right, "
                                           "millis) SELECT 1, 1, 1, %2 + k * 600000, '8+7', '15', 1, 3000 FROM n")
                                .arg(kRows)
                                .arg(start)));
        }
        HistoryStore store(path_);
        TimedSaves timed(store);
        SaveRetry saves(timed, [](const QString &error) { QFAIL(qPrintable(error)); });
        QElapsedTimer clock;
        clock.start();
        int answers = 0;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, &answer, [&] {
            store.Keep(Answer(1, 1, QDateTime::currentDateTime(), QStringLiteral("3+4"), true, 900));
            saves.Changed();
            ++answers;
        });
        answer.start(40);
        QTRY_VERIFY_WITH_TIMEOUT(answers > 10 && !store.Migrating() && store.Unwritten() == 0, 60000);
        answer.stop();
        qInfo("migrated %d answers, all written after %lld ms; the longest save took %lld ms", kRows,
              clock.elapsed(), timed.longest);
        QVERIFY2(timed.longest < 100, qPrintable(QString::number(timed.longest)));
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers")), kRows + answers);
        QCOMPARE(Count(store, QStringLiteral("SELECT count(*) FROM answers WHERE day IS NULL")), 0);
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

QTEST_GUILESS_MAIN(tst_HistoryStore)

#include "tst_historystore.moc"
