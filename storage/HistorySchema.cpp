#include "storage/HistorySchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QMap>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

namespace {

// Step n takes a file from version n - 1 to version n.
const QList<QStringList> &Steps()
{
    static const QList<QStringList> steps{
        {
            // 1: sessions and answers; times in milliseconds since 1970.
            QStringLiteral("CREATE TABLE sessions(id INTEGER PRIMARY KEY, child INTEGER NOT NULL, "
                           "origin INTEGER NOT NULL, started INTEGER NOT NULL, ended INTEGER, "
                           "total INTEGER NOT NULL, right INTEGER NOT NULL, score INTEGER, preset_id TEXT, "
                           "preset_name TEXT, target_per_minute REAL, target_accuracy REAL, setting TEXT)"),
            QStringLiteral("CREATE TABLE answers(id INTEGER PRIMARY KEY, session INTEGER NOT NULL, "
                           "child INTEGER NOT NULL, origin INTEGER NOT NULL, at INTEGER NOT NULL, "
                           "problem TEXT NOT NULL, answer TEXT NOT NULL, right INTEGER NOT NULL, millis INTEGER)"),
        },
        {
            // 2: the local day of each answer (yyyymmdd), so that the charts
            // group by day through an index instead of reading every row.
            QStringLiteral("ALTER TABLE answers ADD COLUMN day INTEGER"),
            QStringLiteral("UPDATE answers SET day = CAST(strftime('%Y%m%d', at / 1000, 'unixepoch', "
                           "'localtime') AS INTEGER)"),
            QStringLiteral("CREATE INDEX answers_by_child_day ON answers(child, day)"),
            QStringLiteral("CREATE INDEX sessions_by_child ON sessions(child, started)"),
        },
        {
            // 3: each problem's answers in time order, and each session's,
            // with all the mastery of facts and skills reads of them, so that
            // it reads the index alone.
            QStringLiteral("CREATE INDEX answers_by_child_problem ON answers(child, problem, at, right, millis, day)"),
            QStringLiteral("CREATE INDEX answers_by_session ON answers(session, at, right, millis, day, answer)"),
        },
    };
    return steps;
}

QString ErrorOf(const QSqlQuery &query)
{
    return query.lastError().text();
}

// Each table's columns, a line per column, by table name.
QMap<QString, QStringList> Columns(QSqlDatabase &db, const QStringList &tables)
{
    QMap<QString, QStringList> columns;
    for (const QString &table : tables) {
        QSqlQuery info(db);
        if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
            continue;
        QStringList &lines = columns[table];
        while (info.next()) {
            QStringList fields;
            for (int k = 0; k < info.record().count(); ++k)
                fields << info.value(k).toString();
            lines << fields.join(QLatin1Char('|'));
        }
    }
    return columns;
}

// The tables and their columns of a file made afresh up to version.
QMap<QString, QStringList> Promised(int version)
{
    const QString name = QStringLiteral("history-schema-%1").arg(version);
    QMap<QString, QStringList> columns;
    {
        QSqlDatabase fresh = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        fresh.setDatabaseName(QStringLiteral(":memory:"));
        if (fresh.open() && !HistorySchema::MigrateTo(fresh, version)) {
            QSqlQuery tables(fresh);
            QStringList names;
            if (tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
                while (tables.next())
                    names << tables.value(0).toString();
            columns = Columns(fresh, names);
        }
        fresh.close();
    }
    QSqlDatabase::removeDatabase(name);
    return columns;
}

}  // namespace

namespace HistorySchema {

std::optional<int> Version(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        if (error)
            *error = ErrorOf(query);
        return std::nullopt;
    }
    return query.value(0).toInt();
}

bool Matches(QSqlDatabase &db, int version)
{
    const QMap<QString, QStringList> promised = Promised(version);
    return !promised.isEmpty() && Columns(db, promised.keys()) == promised;
}

std::optional<QString> MigrateTo(QSqlDatabase &db, int target)
{
    QString error;
    const std::optional<int> from = Version(db, &error);
    if (!from)
        return error;
    for (int version = *from + 1; version <= target; ++version) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return ErrorOf(query);
        // Another copy of the program may have moved the file on meanwhile.
        const std::optional<int> now = Version(db, &error);
        bool ok = now.has_value();
        if (ok && *now < version) {
            for (const QString &statement : Steps().at(version - 1)) {
                if (!query.exec(statement)) {
                    ok = false;
                    error = ErrorOf(query);
                    break;
                }
            }
            if (ok && !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version))) {
                ok = false;
                error = ErrorOf(query);
            }
        }
        if (!ok) {
            query.exec(QStringLiteral("ROLLBACK"));
            return error;
        }
        if (!query.exec(QStringLiteral("COMMIT"))) {
            error = ErrorOf(query);
            query.exec(QStringLiteral("ROLLBACK"));
            return error;
        }
    }
    return std::nullopt;
}

}  // namespace HistorySchema
