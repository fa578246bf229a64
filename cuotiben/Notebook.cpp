#include "cuotiben/Notebook.h"

#include "cuotiben/NotebookLine.h"
#include "cuotiben/ReviewSchedule.h"
#include "notices/ErrorText.h"
#include "storage/GbkText.h"
#include "storage/StoreFile.h"
#include "storage/TextLines.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <utility>

namespace {

constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// Text with some byte above ASCII that reads as UTF-8 without a fault: a
// notebook saved as UTF-8 by an editor, unless GBK reads more of it.
bool MayBeUtf8(QByteArrayView bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return false;
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    (void)QString(decode(bytes));
    return !decode.hasError();
}

// The program's lines are GBK; a UTF-8 line is read through them.
std::optional<QByteArray> Utf8LineAsGbk(QByteArrayView line)
{
    return GbkText::Encode(QString::fromUtf8(line));
}

QByteArray GbkLineAsUtf8(QByteArrayView line)
{
    static GbkText::LineDecoder decode;
    return decode(line).toUtf8();
}

// The lock file goes beside the notebook, so a missing folder would show as
// a lock that cannot be taken; its own reason is clearer.
std::optional<QString> MissingFolder(const QString &path)
{
    if (QFileInfo(QFileInfo(path).absolutePath()).isDir())
        return std::nullopt;
    return QStringLiteral("No such file or directory");
}

// The file's bytes, or none for a file that is not there. A link to nothing
// is there: it is refused rather than replaced.
StoreFile::ReadResult ReadIfThere(const QString &path)
{
    if (!StoreFile::IsThere(path))
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

void Notebook::NoteSolid(const Problem &problem, QDate today)
{
    unsaved_.append({ChangeKind::Solid, problem, QString(), MissSource::Practice, today});
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
        lines_.append(LineOf(entry));
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
    case ChangeKind::Solid:
        if (entry.Conquered())
            return;
        ReviewSchedule::Conquer(entry);
        break;
    }
    Rewrite(found);
}

void Notebook::Rewrite(qsizetype entry)
{
    lines_[entryLines_.at(entry)] = LineOf(entries_.at(entry));
}

QByteArray Notebook::LineOf(const NotebookEntry &entry) const
{
    QByteArray line = NotebookLine::Write(entry);
    return encoding_ == Encoding::Gbk ? line : GbkLineAsUtf8(line);
}

std::optional<StoreFile::SaveFailure> Notebook::Save()
{
    if (unsaved_.isEmpty())
        return std::nullopt;
    const QString shownPath = QDir::toNativeSeparators(path_);
    if (const std::optional<QString> reason = MissingFolder(path_))
        return StoreFile::SaveFailure{ErrorText::CannotCreateFile(shownPath, *reason)};
    const StoreFile::Lock lock(path_);
    if (lock.Error())
        return StoreFile::SaveFailure{ErrorText::CannotCreateFile(shownPath, *lock.Error()), lock.Busy()};

    const StoreFile::ReadResult read = ReadIfThere(path_);
    if (read.error)
        return StoreFile::SaveFailure{ErrorText::CannotOpenFile(shownPath, *read.error)};
    if (!fileBytes_ || *fileBytes_ != read.bytes) {
        ReadBytes(read.bytes);
        fileBytes_ = read.bytes;
        for (const Change &change : std::as_const(unsaved_))
            Apply(change);
    }
    QByteArray bytes = TextLines::Join(lines_);
    if (encoding_ == Encoding::Utf8WithMark)
        bytes.prepend(kUtf8Mark.data(), kUtf8Mark.size());
    if (const std::optional<QString> reason = StoreFile::WriteWhole(path_, bytes))
        return StoreFile::SaveFailure{ErrorText::CannotCreateFile(shownPath, *reason)};
    fileBytes_ = std::move(bytes);
    unsaved_.clear();
    return std::nullopt;
}

void Notebook::ReadBytes(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Mark)) {
        ReadLines(bytes.sliced(kUtf8Mark.size()), Encoding::Utf8WithMark);
        return;
    }
    ReadLines(bytes, Encoding::Gbk);
    if (!MayBeUtf8(bytes))
        return;
    const qsizetype gbkEntries = entries_.size();
    ReadLines(bytes, Encoding::Utf8);
    if (entries_.size() <= gbkEntries)
        ReadLines(bytes, Encoding::Gbk);
}

void Notebook::ReadLines(QByteArrayView bytes, Encoding encoding)
{
    encoding_ = encoding;
    lines_ = NotebookLine::Split(bytes);
    entries_.clear();
    entryLines_.clear();
    byProblem_.clear();
    entries_.reserve(lines_.size());
    entryLines_.reserve(lines_.size());
    byProblem_.reserve(lines_.size());
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        std::optional<NotebookEntry> entry;
        if (encoding == Encoding::Gbk) {
            entry = NotebookLine::Read(lines_.at(i));
        } else if (const std::optional<QByteArray> gbk = Utf8LineAsGbk(lines_.at(i))) {
            entry = NotebookLine::Read(*gbk);
        }
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
