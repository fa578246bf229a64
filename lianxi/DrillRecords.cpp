#include "lianxi/DrillRecords.h"

#include "arithmetic/DrillTally.h"
#include "notices/ErrorText.h"
#include "storage/GbkText.h"
#include "storage/InstallFolder.h"
#include "storage/StoreFile.h"
#include "storage/TextLines.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <optional>
#include <utility>

QString RecordDateText()
{
    QString text = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    text.replace(QLatin1Char('/'), QLatin1Char('-'));
    text.replace(QLatin1Char('\\'), QLatin1Char('-'));
    return text;
}

namespace {

// The lines as the day's GBK file holds them ("38/5=7……3" has a two-byte
// "…"), or the first line GBK cannot hold, which is never written changed.
struct RecordBytes {
    QList<QByteArray> lines;
    std::optional<QString> unstorable;
};

RecordBytes RecordLines(const QStringList &lines)
{
    RecordBytes bytes;
    bytes.lines.reserve(lines.size());
    for (const QString &line : lines) {
        std::optional<QByteArray> encoded = GbkText::Encode(line);
        if (!encoded)
            return {{}, line};
        bytes.lines.append(std::move(*encoded));
    }
    return bytes;
}

QString UnstorableLine(const QString &path, const QString &line)
{
    return ErrorText::CannotCreateFile(QDir::toNativeSeparators(path),
                                       QStringLiteral("The line \"%1\" cannot be written in GBK").arg(line));
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
    const QString rightPath = InstallFolder::Join(root_, folders.right + name);
    const QString wrongPath = InstallFolder::Join(root_, folders.wrong + name);
    // Both files' lines first: a line that cannot be stored writes neither.
    RecordBytes right = RecordLines(tally.RightLines());
    RecordBytes wrong = RecordLines(tally.WrongLines());
    if (right.unstorable)
        return UnstorableLine(rightPath, *right.unstorable);
    if (wrong.unstorable)
        return UnstorableLine(wrongPath, *wrong.unstorable);
    if (QString error = SaveFile(rightPath, std::move(right.lines)); !error.isEmpty())
        return error;
    return SaveFile(wrongPath, std::move(wrong.lines));
}

QString DrillRecords::SaveFile(const QString &path, QList<QByteArray> lines)
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
    Saved mine{file.size(), std::move(lines)};
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
