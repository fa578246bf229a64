#pragma once

#include "storage/HistoryRows.h"

#include <QList>
#include <QString>
#include <optional>

class QSqlDatabase;

// The children's history: one SQLite file in the user's database folder,
// written by SQLite itself (WAL journal, a short busy timeout). Rows are kept
// in memory until Write() has committed them, so a busy or full disk loses
// nothing: the next Write() tries again.
class HistoryStore {
public:
    enum class WriteResult { Written, Busy, Failed };

    // "database/chengzhang.db" in the given folder.
    static QString PathIn(const QString &databaseFolder);

    explicit HistoryStore(QString path);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // Opens the file on first use, making or migrating it. A damaged file is
    // set aside under a new name and a new history started; a file of a
    // newer version is opened read-only. Either gives a notice, once.
    bool Open();
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

private:
    bool OpenConnection(bool readOnly);
    void SetAside();

    QString path_;
    QString connection_;
    bool opened_ = false;
    bool readOnly_ = false;
    std::optional<QString> notice_;
    QList<SessionRow> sessions_;
    QList<AnswerRow> answers_;
    QString lastError_;
};
