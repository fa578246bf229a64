#pragma once

#include "cuotiben/NotebookEntry.h"
#include "storage/PendingStore.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

// The 错题本: every problem a child missed, with its review schedule, kept in
// one GBK text file (see NotebookLine for its lines).
//
// Changes are made in memory at once and cost microseconds, so a drill can
// note a miss between "确定" and the next problem. Save() writes them later:
// under the file's lock it reads the file afresh, applies the unsaved
// changes to what it holds now and writes it whole through a new file, so
// two copies of the program keep each other's entries, a full disk or a
// crash leaves the old file byte for byte, and a line the program cannot
// read is kept as it was. A file that exists but cannot be read is never
// written over. Every failure comes back as the error box's text; the
// changes then stay unsaved and the next Save() tries again. Save() waits
// for the lock no longer than the user interface may: a busy lock comes back
// as such, to be tried again later.
//
// A notebook that only notes misses (a drill's) need not Load() first.
//
// A file saved as UTF-8 by an editor, with a byte-order mark or as UTF-8
// that reads as more of the program's lines than GBK does, is read as UTF-8
// and written back as it was found, mark and all.
class Notebook : public PendingStore {
public:
    // path is the notebook file's full path, normally PathIn(the database folder).
    explicit Notebook(QString path);

    // "cuoti.zerk" in the given folder.
    static QString PathIn(const QString &databaseFolder);
    const QString &Path() const { return path_; }

    // Reads the file, keeping unsaved changes on top. A missing file is an
    // empty notebook. On failure the entries stay as they were and the text
    // "Cannot open file …" is returned.
    [[nodiscard]] std::optional<QString> Load();

    // A wrong answer (or an empty exam box): a new entry due tomorrow, or a
    // known problem started over with this answer, day and source.
    void NoteMiss(const Problem &problem, const QString &answer, MissSource source, QDate today);
    void NoteMiss(const ArithProblem &problem, const QString &answer, MissSource source, QDate today)
    {
        NoteMiss(Problem::From(problem), answer, source, today);
    }
    // A review answer to a problem in the notebook: a right one moves it on
    // when it is due, a wrong one starts it over.
    void NoteReview(const Problem &problem, bool right, const QString &answer, QDate today);
    void NoteReview(const ArithProblem &problem, bool right, const QString &answer, QDate today)
    {
        NoteReview(Problem::From(problem), right, answer, today);
    }

    // The problem's fact became 牢固 in 今日练习: its entry, if any, is
    // conquered.
    void NoteSolid(const Problem &problem, QDate today);

    bool HasUnsavedChanges() const override { return !unsaved_.isEmpty(); }
    // Writes the unsaved changes; nothing is done when there are none. On
    // failure returns "Cannot open file …" (the file could not be read whole)
    // or "Cannot create file …" (it could not be written, or its lock was
    // busy).
    [[nodiscard]] std::optional<StoreFile::SaveFailure> Save() override;

    // In the file's order, entries added last at the end.
    const QList<NotebookEntry> &Entries() const { return entries_; }
    // The entry of a problem, or nothing.
    const NotebookEntry *Find(const Problem &problem) const;
    const NotebookEntry *Find(const ArithProblem &problem) const { return Find(Problem::From(problem)); }
    // Indexes into Entries() of the entries due today (overdue ones too).
    QList<int> DueIndexes(QDate today) const;
    // Indexes of the entries not yet conquered, soonest review day first, so
    // overdue and due ones lead; entries of one day keep the file's order.
    QList<int> UnconqueredIndexes() const;
    int ConqueredCount() const;

private:
    enum class ChangeKind { Miss, Right, Wrong, Solid };
    struct Change {
        ChangeKind kind;
        Problem problem;
        QString answer;
        MissSource source;
        QDate day;
    };

    enum class Encoding { Gbk, Utf8, Utf8WithMark };

    void Apply(const Change &change);
    void ReadBytes(QByteArrayView bytes);
    void ReadLines(QByteArrayView bytes, Encoding encoding);
    // The line of an entry in the file's encoding.
    QByteArray LineOf(const NotebookEntry &entry) const;
    void Rewrite(qsizetype entry);

    QString path_;
    Encoding encoding_ = Encoding::Gbk;
    // The file's lines: each entry's as it writes it, and those kept as read.
    QList<QByteArray> lines_;
    QList<NotebookEntry> entries_;
    QList<qsizetype> entryLines_;
    QHash<std::uint64_t, qsizetype> byProblem_;
    QList<Change> unsaved_;
    // What the file held when it was last read or written: while it still
    // does, the entries in memory are already its content plus the changes.
    std::optional<QByteArray> fileBytes_;
};
