#include "storage/HistoryStore.h"

#include "notices/ErrorText.h"
#include "storage/HistorySchema.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <utility>

namespace {

// SQLite's result codes for a file that is not a database or is malformed.
bool IsDamage(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("26") || code == QLatin1String("11");
}

bool IsBusy(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6");
}

QVariant Optional(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Double));
}

QVariant Text(const QString &text)
{
    return text.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

}  // namespace

QString HistoryOriginText(HistoryOrigin origin)
{
    switch (origin) {
    case HistoryOrigin::Practice:
        return QStringLiteral("练习");
    case HistoryOrigin::Competition:
        return QStringLiteral("竞技");
    case HistoryOrigin::Exam:
        return QStringLiteral("考试");
    case HistoryOrigin::Review:
        return QStringLiteral("复习");
    }
    return {};
}

QString HistoryStore::PathIn(const QString &databaseFolder)
{
    return databaseFolder + QStringLiteral("chengzhang.db");
}

HistoryStore::HistoryStore(QString path)
    : path_(std::move(path)),
      connection_(QStringLiteral("history-%1").arg(reinterpret_cast<quintptr>(this)))
{
}

HistoryStore::~HistoryStore()
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QSqlDatabase HistoryStore::Database() const
{
    return QSqlDatabase::database(connection_, false);
}

qint64 HistoryStore::NewSessionId()
{
    return static_cast<qint64>(QRandomGenerator::system()->generate64() >> 11) + 1;
}

bool HistoryStore::OpenConnection(bool readOnly)
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=50")
                                  : QStringLiteral("QSQLITE_BUSY_TIMEOUT=50"));
    if (!db.open()) {
        lastError_ = ErrorText::CannotOpenFile(path_, db.lastError().text());
        return false;
    }
    return true;
}

void HistoryStore::SetAside()
{
    const QString aside =
        path_ + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile::rename(path_, aside);
    for (const QString &suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::rename(path_ + suffix, aside + suffix);
    notice_ = QStringLiteral("成长记录的文件坏了，已经另存为 %1，从今天起重新记录。").arg(aside);
}

bool HistoryStore::Open()
{
    if (opened_)
        return true;
    if (!OpenConnection(false))
        return false;
    std::optional<int> version;
    bool damaged = false;
    {
        QSqlDatabase db = Database();
        QSqlQuery query(db);
        QString error;
        if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) {
            damaged = IsDamage(query.lastError());
            error = query.lastError().text();
        } else {
            query.finish();
            version = HistorySchema::Version(db, &error);
            damaged = !version && IsDamage(db.lastError());
            if (!version && !damaged)
                damaged = error.contains(QLatin1String("not a database")) || error.contains(QLatin1String("malformed"));
        }
        if (!version && !damaged) {
            lastError_ = ErrorText::CannotOpenFile(path_, error);
            return false;
        }
    }
    if (damaged) {
        QSqlDatabase::database(connection_, false).close();
        SetAside();
        if (!OpenConnection(false))
            return false;
        QSqlQuery(Database()).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        version = 0;
    }
    if (*version > HistorySchema::Current) {
        readOnly_ = true;
        notice_ = QStringLiteral("成长记录是新版本的口算能力写的，这里只能看，不能添加新的记录。");
        if (!OpenConnection(true))
            return false;
        opened_ = true;
        return true;
    }
    QSqlDatabase db = Database();
    QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    if (const std::optional<QString> failure = HistorySchema::MigrateTo(db)) {
        lastError_ = ErrorText::CannotCreateFile(path_, *failure);
        return false;
    }
    opened_ = true;
    return true;
}

std::optional<QString> HistoryStore::TakeNotice()
{
    return std::exchange(notice_, std::nullopt);
}

void HistoryStore::Keep(const SessionRow &session)
{
    for (SessionRow &kept : sessions_) {
        if (kept.id == session.id) {
            kept = session;
            return;
        }
    }
    sessions_.append(session);
}

void HistoryStore::Keep(const AnswerRow &answer)
{
    answers_.append(answer);
}

HistoryStore::WriteResult HistoryStore::Write(int busyMillis)
{
    if (sessions_.isEmpty() && answers_.isEmpty())
        return WriteResult::Written;
    if (!Open())
        return WriteResult::Failed;
    if (readOnly_) {
        // The notice has said that nothing new is kept.
        sessions_.clear();
        answers_.clear();
        return WriteResult::Written;
    }
    QSqlDatabase db = Database();
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyMillis));
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        lastError_ = ErrorText::CannotCreateFile(path_, query.lastError().text());
        return IsBusy(query.lastError()) ? WriteResult::Busy : WriteResult::Failed;
    }
    QSqlQuery session(db);
    session.prepare(QStringLiteral(
        "INSERT INTO sessions(id, child, origin, started, ended, total, right, score, preset_id, preset_name, "
        "target_per_minute, target_accuracy, setting) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?) ON CONFLICT(id) DO UPDATE "
        "SET ended = excluded.ended, total = excluded.total, right = excluded.right, score = excluded.score"));
    QSqlQuery answer(db);
    answer.prepare(QStringLiteral("INSERT INTO answers(session, child, origin, at, day, problem, answer, right, "
                                  "millis) VALUES(?,?,?,?,?,?,?,?,?)"));
    bool ok = true;
    for (const SessionRow &row : std::as_const(sessions_)) {
        const QVariantList values{row.id,
                                  row.child,
                                  static_cast<int>(row.origin),
                                  row.started.toMSecsSinceEpoch(),
                                  row.ended.isValid() ? QVariant(row.ended.toMSecsSinceEpoch())
                                                      : QVariant(QMetaType(QMetaType::LongLong)),
                                  row.total,
                                  row.right,
                                  row.score ? QVariant(*row.score) : QVariant(QMetaType(QMetaType::LongLong)),
                                  Text(row.presetId),
                                  Text(row.presetName),
                                  Optional(row.targetPerMinute),
                                  Optional(row.targetAccuracy),
                                  Text(row.setting)};
        for (int k = 0; k < values.size(); ++k)
            session.bindValue(k, values.at(k));
        if (!(ok = session.exec()))
            break;
    }
    for (qsizetype k = 0; ok && k < answers_.size(); ++k) {
        const AnswerRow &row = answers_.at(k);
        const QDate day = row.at.date();
        const QVariantList values{row.session,
                                  row.child,
                                  static_cast<int>(row.origin),
                                  row.at.toMSecsSinceEpoch(),
                                  day.year() * 10000 + day.month() * 100 + day.day(),
                                  row.problem,
                                  row.answer,
                                  row.right ? 1 : 0,
                                  row.millis ? QVariant(*row.millis) : QVariant(QMetaType(QMetaType::Int))};
        for (int v = 0; v < values.size(); ++v)
            answer.bindValue(v, values.at(v));
        ok = answer.exec();
    }
    QSqlError failure = session.lastError().isValid() ? session.lastError() : answer.lastError();
    if (ok && !query.exec(QStringLiteral("COMMIT"))) {
        ok = false;
        failure = query.lastError();
    }
    if (!ok) {
        lastError_ = ErrorText::CannotCreateFile(path_, failure.text());
        query.exec(QStringLiteral("ROLLBACK"));
        return IsBusy(failure) ? WriteResult::Busy : WriteResult::Failed;
    }
    sessions_.clear();
    answers_.clear();
    return WriteResult::Written;
}
