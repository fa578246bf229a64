#include "storage/HistoryStore.h"

#include "notices/ErrorText.h"
#include "storage/HistoryFiles.h"
#include "storage/HistorySchema.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cerrno>
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
    WaitForMigration();
    CloseConnection();
}

QSqlDatabase HistoryStore::Database() const
{
    return QSqlDatabase::database(connection_, false);
}

qint64 HistoryStore::NewSessionId()
{
    return static_cast<qint64>(QRandomGenerator::system()->generate64() >> 11) + 1;
}

void HistoryStore::CloseConnection()
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

bool HistoryStore::OpenConnection(bool readOnly)
{
    CloseConnection();
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

HistoryStore::Found HistoryStore::Inspect(int heldVersion, std::optional<int> &version)
{
    QSqlDatabase db = Database();
    QString error;
    version = HistorySchema::Version(db, &error);
    if (!version) {
        if (IsDamage(db.lastError()) || error.contains(QLatin1String("not a database")) ||
            error.contains(QLatin1String("malformed")))
            return Found::Damage;
        lastError_ = ErrorText::CannotOpenFile(path_, error);
        return Found::Failure;
    }
    // A journal of another file, or of this one before a backup was put
    // back, has taken the history's version away.
    if (*version < heldVersion)
        return Found::Damage;
    if (*version >= 1 && *version <= HistorySchema::Current && !HistorySchema::Matches(db, *version))
        return Found::Damage;
    return Found::History;
}

bool HistoryStore::Open()
{
    if (!MigrationEnded())
        return false;
    if (opened_)
        return true;
    if (const std::optional<QString> refused = HistoryFiles::LinkRefused(path_)) {
        lastError_ = *refused;
        return false;
    }
    markedReadOnly_ = HistoryFiles::MarkedReadOnly(path_);
    const int heldVersion = HistoryFiles::VersionOnDisk(path_);
    // Copied before SQLite can replay the journal into the file.
    std::optional<HistoryFiles::JournalCopy> asFound;
    if (heldVersion >= 1 && !markedReadOnly_)
        asFound.emplace(path_);
    if (!OpenConnection(markedReadOnly_))
        return false;
    std::optional<int> version;
    const Found found = Inspect(heldVersion, version);
    if (found == Found::Failure)
        return false;
    if (found == Found::Damage) {
        CloseConnection();
        if (markedReadOnly_) {
            lastError_ = ErrorText::CannotOpenFile(path_, qt_error_string(EACCES));
            return false;
        }
        QString aside;
        std::optional<QString> failure;
        if (asFound && asFound->Taken()) {
            failure = asFound->Keep();
            aside = asFound->Aside();
        } else {
            aside = HistoryFiles::AsideName(path_);
            failure = HistoryFiles::SetAside(path_, aside);
        }
        if (failure) {
            lastError_ = *failure;
            return false;
        }
        notice_ = QStringLiteral("成长记录的文件坏了，已经另存为 %1，从今天起重新记录。").arg(aside);
        if (!OpenConnection(false))
            return false;
        version = 0;
    }
    asFound.reset();
    if (*version > HistorySchema::Current) {
        readOnly_ = true;
        notice_ = QStringLiteral("成长记录是新版本的口算能力写的，这里只能看，不能添加新的记录。");
        if (!markedReadOnly_ && !OpenConnection(true))
            return false;
        opened_ = true;
        return true;
    }
    opened_ = true;
    if (markedReadOnly_)
        return true;
    QSqlDatabase db = Database();
    QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    if (*version >= 1 && *version < HistorySchema::Current) {
        StartMigration();
        return true;
    }
    // A new file has nothing to move: its tables are made at once.
    if (const std::optional<QString> failure = HistorySchema::MigrateTo(db)) {
        lastError_ = ErrorText::CannotCreateFile(path_, *failure);
        opened_ = false;
        return false;
    }
    return true;
}

void HistoryStore::StartMigration()
{
    migrating_.store(true, std::memory_order_release);
    migration_ = std::thread([this, name = connection_ + QStringLiteral("-migration")] {
        std::optional<QString> error;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path_);
            // Another copy of the program may be writing meanwhile.
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
            error = db.open() ? HistorySchema::MigrateTo(db) : std::optional<QString>(db.lastError().text());
            // Every row was rewritten: copied into the file here, or the
            // window's next write would do it.
            if (!error)
                QSqlQuery(db).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        migrationError_ = error;
        migrating_.store(false, std::memory_order_release);
    });
}

bool HistoryStore::MigrationEnded()
{
    if (migration_.joinable()) {
        if (Migrating())
            return true;
        migration_.join();
    }
    if (!migrationError_)
        return true;
    // Tried again from the start at the next open.
    lastError_ = ErrorText::CannotCreateFile(path_, *std::exchange(migrationError_, std::nullopt));
    opened_ = false;
    return false;
}

void HistoryStore::WaitForMigration()
{
    if (migration_.joinable())
        migration_.join();
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
    if (Migrating()) {
        lastError_ = ErrorText::CannotCreateFile(path_, QStringLiteral("The history is being upgraded"));
        return WriteResult::Busy;
    }
    // Checked at every write: the mark may be set or cleared meanwhile.
    if (HistoryFiles::MarkedReadOnly(path_)) {
        lastError_ = ErrorText::CannotCreateFile(path_, qt_error_string(EACCES));
        return WriteResult::Failed;
    }
    if (markedReadOnly_) {
        opened_ = false;
        if (!Open())
            return WriteResult::Failed;
        return Write(busyMillis);
    }
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

std::optional<StoreFile::SaveFailure> HistoryStore::Save()
{
    switch (Write()) {
    case WriteResult::Written:
        return std::nullopt;
    case WriteResult::Busy:
        return StoreFile::SaveFailure{lastError_, true};
    case WriteResult::Failed:
        break;
    }
    return StoreFile::SaveFailure{lastError_, false};
}
