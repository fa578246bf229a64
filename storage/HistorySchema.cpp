#include "storage/HistorySchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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
    };
    return steps;
}

QString ErrorOf(const QSqlQuery &query)
{
    return query.lastError().text();
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
