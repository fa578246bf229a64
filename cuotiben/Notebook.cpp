#include "cuotiben/Notebook.h"

#include "cuotiben/NotebookLine.h"
#include "cuotiben/ReviewSchedule.h"
#include "notices/ErrorText.h"
#include "storage/StoreFile.h"
#include "storage/TextLines.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {

// The lock file goes beside the notebook, so a missing folder would show as
// a lock that cannot be taken; its own reason is clearer.
std::optional<QString> MissingFolder(const QString &path)
{
    if (QFileInfo(QFileInfo(path).absolutePath()).isDir())
        return std::nullopt;
    return QStringLiteral("No such file or directory");
}

// The file's bytes, or none for a file that is not there. A link to nothing
// is there: it is reported rather than replaced.
StoreFile::ReadResult ReadIfThere(const QString &path)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {};
    return StoreFile::ReadWhole(path);
}

}  // namespace

Notebook::Notebook(QString path) : path_(std::move(path)) {}

QString Notebook::PathIn(const QString &databaseFolder)
{
    return QDir(databaseFolder).filePath(QStringLiteral("cuoti.zerk"));
}

std::optional<QString> Notebook::Load()
{
    StoreFile::ReadResult read = ReadIfThere(path_);
    if (read.error)
        return ErrorText::CannotOpenFile(QDir::toNativeSeparators(path_), *read.error);
    ReadBytes(read.bytes);
    fileBytes_ = std::move(read.bytes);
    for (const Change &change : std::as_const(unsaved_))
        Apply(change);
    return std::nullopt;
}

void Notebook::NoteMiss(const Problem &problem, const QString &answer, MissSource source, QDate today)
{
    unsaved_.append({ChangeKind::Miss, problem, NotebookLine::OneLineAnswer(answer), source, today});
    Apply(unsaved_.back());
}

void Notebook::NoteReview(const Problem &problem, bool right, const QString &answer, QDate today)
{
    unsaved_.append({right ? ChangeKind::Right : ChangeKind::Wrong, problem, NotebookLine::OneLineAnswer(answer),
                     MissSource::Practice, today});
    Apply(unsaved_.back());
}

void Notebook::Apply(const Change &change)
{
    const qsizetype found = byProblem_.value(ProblemKey(change.problem), -1);
    if (found < 0) {
        // A review of a problem no longer in the file changes nothing.
        if (change.kind != ChangeKind::Miss)
            return;
        NotebookEntry entry;
        entry.Problem = change.problem;
        entry.Source = change.source;
        ReviewSchedule::StartOver(entry, change.answer, change.day);
        byProblem_.insert(ProblemKey(change.problem), entries_.size());
        entryLines_.append(lines_.size());
        lines_.append(NotebookLine::Write(entry));
        entries_.append(std::move(entry));
        return;
    }
    NotebookEntry &entry = entries_[found];
    switch (change.kind) {
    case ChangeKind::Miss:
        entry.Source = change.source;
        ReviewSchedule::StartOver(entry, change.answer, change.day);
        break;
    case ChangeKind::Right:
        if (!ReviewSchedule::AnsweredRight(entry, change.day))
            return;
        break;
    case ChangeKind::Wrong:
        ReviewSchedule::StartOver(entry, change.answer, change.day);
        break;
    }
    Rewrite(found);
}

void Notebook::Rewrite(qsizetype entry)
{
    lines_[entryLines_.at(entry)] = NotebookLine::Write(entries_.at(entry));
}

std::optional<QString> Notebook::Save()
{
    if (unsaved_.isEmpty())
        return std::nullopt;
    const QString shownPath = QDir::toNativeSeparators(path_);
    if (const std::optional<QString> reason = MissingFolder(path_))
        return ErrorText::CannotCreateFile(shownPath, *reason);
    const StoreFile::Lock lock(path_);
    if (lock.Error())
        return ErrorText::CannotCreateFile(shownPath, *lock.Error());

    const StoreFile::ReadResult read = ReadIfThere(path_);
    if (read.error)
        return ErrorText::CannotOpenFile(shownPath, *read.error);
    if (!fileBytes_ || *fileBytes_ != read.bytes) {
        ReadBytes(read.bytes);
        fileBytes_ = read.bytes;
        for (const Change &change : std::as_const(unsaved_))
            Apply(change);
    }
    QByteArray bytes = TextLines::Join(lines_);
    if (const std::optional<QString> reason = StoreFile::WriteWhole(path_, bytes))
        return ErrorText::CannotCreateFile(shownPath, *reason);
    fileBytes_ = std::move(bytes);
    unsaved_.clear();
    return std::nullopt;
}

void Notebook::ReadBytes(QByteArrayView bytes)
{
    lines_ = NotebookLine::Split(bytes);
    entries_.clear();
    entryLines_.clear();
    byProblem_.clear();
    entries_.reserve(lines_.size());
    entryLines_.reserve(lines_.size());
    byProblem_.reserve(lines_.size());
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        std::optional<NotebookEntry> entry = NotebookLine::Read(lines_.at(i));
        // A second line for a known problem is not the program's: kept as read.
        if (!entry || byProblem_.contains(ProblemKey(entry->Problem)))
            continue;
        byProblem_.insert(ProblemKey(entry->Problem), entries_.size());
        entryLines_.append(i);
        entries_.append(std::move(*entry));
    }
}

const NotebookEntry *Notebook::Find(const Problem &problem) const
{
    const qsizetype found = byProblem_.value(ProblemKey(problem), -1);
    return found < 0 ? nullptr : &entries_.at(found);
}

QList<int> Notebook::DueIndexes(QDate today) const
{
    QList<int> due;
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (ReviewSchedule::IsDue(entries_.at(i), today))
            due.append(static_cast<int>(i));
    }
    return due;
}

QList<int> Notebook::UnconqueredIndexes() const
{
    QList<int> open;
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (!entries_.at(i).Conquered())
            open.append(static_cast<int>(i));
    }
    std::stable_sort(open.begin(), open.end(),
                     [this](int a, int b) { return entries_.at(a).Due < entries_.at(b).Due; });
    return open;
}

int Notebook::ConqueredCount() const
{
    int count = 0;
    for (const NotebookEntry &entry : entries_)
        count += entry.Conquered() ? 1 : 0;
    return count;
}
