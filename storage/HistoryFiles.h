#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The history's files on disk, seen before SQLite opens them: SQLite
// follows links and replays whatever journal lies beside the file, so the
// program checks the paths itself and keeps a copy of what it may replay.
namespace HistoryFiles {

// The file and the journals SQLite may keep beside it.
QStringList AllOf(const QString &path);

// The error box's text when the file, a journal or their folder is a link.
std::optional<QString> LinkRefused(const QString &path);

// The file is there with its owner's write bit clear: meant to stay as it
// is, even for root.
bool MarkedReadOnly(const QString &path);

// The user_version in the file's own header, before any journal is
// replayed; 0 for a file that is not an SQLite file.
int VersionOnDisk(const QString &path);

// "chengzhang.db.damaged-<date-time>".
QString AsideName(const QString &path);

// A copy of the file and its journal as they are on disk, taken when a
// journal is there to be replayed, so that a journal that turns out not to
// be the history's can be set aside as it was. The copy is removed unless
// Keep() is called.
class JournalCopy {
public:
    explicit JournalCopy(const QString &path);
    ~JournalCopy();
    JournalCopy(const JournalCopy &) = delete;
    JournalCopy &operator=(const JournalCopy &) = delete;

    // Whether a copy was taken: there was a journal and room for the copy.
    bool Taken() const { return !suffixes_.isEmpty(); }
    // Moves the copy to the file's aside name and removes the file and its
    // journals. Returns the error box's text when a step fails.
    std::optional<QString> Keep();
    // The aside name, once kept.
    const QString &Aside() const { return aside_; }

private:
    void Remove();

    QString path_;
    QString aside_;
    // "" for the file, then "-wal" or "-journal".
    QStringList suffixes_;
};

// Moves the file and its journals to the aside name, all or none. Returns
// the error box's text when a rename fails.
std::optional<QString> SetAside(const QString &path, const QString &aside);

}  // namespace HistoryFiles
