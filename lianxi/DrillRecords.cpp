#include "lianxi/DrillRecords.h"

#include "arithmetic/DrillTally.h"
#include "notices/ErrorText.h"
#include "storage/InstallFolder.h"
#include "storage/StoreFile.h"
#include "storage/TextLines.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <utility>

QString RecordDateText()
{
    QString text = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    text.replace(QLatin1Char('/'), QLatin1Char('-'));
    text.replace(QLatin1Char('\\'), QLatin1Char('-'));
    return text;
}

namespace {

QList<QByteArray> RecordLines(const QStringList &lines)
{
    QList<QByteArray> bytes;
    bytes.reserve(lines.size());
    // Record lines hold only digits, signs and "=": one byte each.
    for (const QString &line : lines)
        bytes.append(line.toLatin1());
    return bytes;
}

bool HoldsAt(const QList<QByteArray> &file, qsizetype at, const QList<QByteArray> &lines)
{
    return at + lines.size() <= file.size() && file.sliced(at, lines.size()) == lines;
}

// Where this drill's earlier lines stand in the file now: where they were
// written, unless lines of another drill were put before them meanwhile.
qsizetype FindEarlier(const QList<QByteArray> &file, qsizetype at, const QList<QByteArray> &lines)
{
    if (lines.isEmpty())
        return -1;
    if (HoldsAt(file, at, lines))
        return at;
    for (qsizetype i = file.size() - lines.size(); i >= 0; --i) {
        if (HoldsAt(file, i, lines))
            return i;
    }
    return -1;
}

}  // namespace

DrillRecords::DrillRecords(QString root) : root_(std::move(root)) {}

QString DrillRecords::Save(const RecordFolders &folders, const DrillTally &tally, const QString &dateText)
{
    const QString name = dateText + QStringLiteral(".txt");
    if (QString error = SaveFile(InstallFolder::Join(root_, folders.right + name), tally.RightLines());
        !error.isEmpty())
        return error;
    return SaveFile(InstallFolder::Join(root_, folders.wrong + name), tally.WrongLines());
}

QString DrillRecords::SaveFile(const QString &path, const QStringList &lines)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    const StoreFile::Lock lock(path);
    if (lock.Error())
        return ErrorText::CannotCreateFile(shownPath, *lock.Error());
    QList<QByteArray> file;
    if (StoreFile::IsThere(path)) {
        const StoreFile::ReadResult read = StoreFile::ReadWhole(path);
        if (read.error)
            return ErrorText::CannotOpenFile(shownPath, *read.error);
        file = TextLines::Split(read.bytes);
    }
    Saved mine{file.size(), RecordLines(lines)};
    qsizetype replaced = 0;
    if (const auto earlier = saved_.constFind(path); earlier != saved_.cend()) {
        if (const qsizetype at = FindEarlier(file, earlier->at, earlier->lines); at >= 0) {
            mine.at = at;
            replaced = earlier->lines.size();
        }
    }
    const QList<QByteArray> saved = file.first(mine.at) + mine.lines + file.sliced(mine.at + replaced);
    if (const std::optional<QString> reason = StoreFile::WriteWhole(path, TextLines::Join(saved)))
        return ErrorText::CannotCreateFile(shownPath, *reason);
    saved_.insert(path, std::move(mine));
    return {};
}
