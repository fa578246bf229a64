#pragma once

#include "storage/HistoryRows.h"
#include "storage/PendingStore.h"

#include <QList>
#include <QString>
#include <atomic>
#include <optional>
#include <thread>

class QSqlDatabase;

// The children's history: one SQLite file in the user's database folder,
// written by SQLite itself (WAL journal, a short busy timeout). Rows are kept
// in memory until Write() has committed them, so a busy or full disk loses
// nothing: the next Write() tries again.
//
// Before SQLite opens anything the file, its journals and their folder are
// checked for links, which are refused, and a journal waiting to be
// replayed is copied with the file: a journal that turns out not to be the
// history's (the tables or the version gone or changed) is set aside with
// the file as they were. A file whose owner's write bit is clear is only
// read, and writing to it fails as "Permission denied".
class HistoryStore : public PendingStore {
public:
    enum class WriteResult { Written, Busy, Failed };

    // "database/chengzhang.db" in the given folder.
    static QString PathIn(const QString &databaseFolder);

    explicit HistoryStore(QString path);
    ~HistoryStore() override;
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // Opens the file on first use, making it or starting its migration. A
    // damaged file (not a database, or its tables not those its version
    // promises) is set aside under a new name and a new history started; a
    // file of a newer version is opened read-only. Either gives a notice,
    // once. A file that cannot be set aside is not opened.
    bool Open();
    // An older file is brought up to this version's tables on a thread of
    // its own, so that no window waits for it; until it is done, writes
    // answer Busy and the rows wait in memory.
    bool Migrating() const { return migrating_.load(std::memory_order_acquire); }
    void WaitForMigration();
    std::optional<QString> TakeNotice();
    bool ReadOnly() const { return readOnly_; }
    const QString &Path() const { return path_; }

    // A new id for a session, unique across copies of the program.
    static qint64 NewSessionId();

    // Kept in memory until written. A session row replaces the earlier one
    // of its id.
    void Keep(const SessionRow &session);
    void Keep(const AnswerRow &answer);
    int Unwritten() const { return static_cast<int>(sessions_.size() + answers_.size()); }

    // Writes what is kept in one transaction; a read-only history drops it. busyMillis is how long SQLite
    // waits for another writer before giving up for now.
    WriteResult Write(int busyMillis = 50);
    // The last failure's text for the general error box.
    const QString &LastError() const { return lastError_; }

    // For the queries; open.
    QSqlDatabase Database() const;

    bool HasUnsavedChanges() const override { return Unwritten() > 0; }
    // Write(), a busy file or a running migration counting as a busy lock.
    std::optional<StoreFile::SaveFailure> Save() override;

private:
    bool OpenConnection(bool readOnly);
    void CloseConnection();
    // Opens the file as it is and says whether it holds a history this
    // version can use; sets version.
    enum class Found { History, Damage, Failure };
    Found Inspect(int heldVersion, std::optional<int> &version);
    void StartMigration();
    // Collects a migration that has ended; false when it failed.
    bool MigrationEnded();

    QString path_;
    QString connection_;
    bool opened_ = false;
    bool readOnly_ = false;
    // Opened read-only because its owner's write bit was clear.
    bool markedReadOnly_ = false;
    std::thread migration_;
    std::atomic<bool> migrating_{false};
    std::optional<QString> migrationError_;
    std::optional<QString> notice_;
    QList<SessionRow> sessions_;
    QList<AnswerRow> answers_;
    QString lastError_;
};
