#include "kebiao/PresetMemory.h"

#include "notices/ErrorText.h"
#include "storage/StoreFile.h"

#include <QDir>
#include <QFileInfo>
#include <QList>

namespace PresetMemory {
namespace {

QByteArray PlaceName(Place place)
{
    return place == Place::Drill ? QByteArrayLiteral("drill") : QByteArrayLiteral("exam");
}

// The pick a line keeps for the place, when the line is one.
std::optional<PresetPick> ReadLine(const QByteArray &line, Place place)
{
    const QList<QByteArray> fields = line.trimmed().split(' ');
    if (fields.size() != 3 || fields[0] != PlaceName(place))
        return std::nullopt;
    bool idOk = false;
    bool choiceOk = false;
    const PresetPick pick{fields[1].toInt(&idOk), fields[2].toInt(&choiceOk)};
    if (!idOk || !choiceOk || (pick.PresetId != 0 && !PresetOf(pick)))
        return std::nullopt;
    return pick;
}

}  // namespace

QString PathIn(const QString &databaseFolder)
{
    return QDir(databaseFolder).filePath(QStringLiteral("kebiao.zerk"));
}

PresetPick Read(const QString &path, Place place)
{
    const StoreFile::ReadResult read = StoreFile::ReadWhole(path);
    if (read.error)
        return {};
    for (const QByteArray &line : read.bytes.split('\n')) {
        if (const std::optional<PresetPick> pick = ReadLine(line, place))
            return *pick;
    }
    return {};
}

std::optional<QString> Write(const QString &path, Place place, const PresetPick &pick)
{
    const StoreFile::Lock lock(path);
    if (lock.Error())
        return ErrorText::CannotCreateFile(path, *lock.Error());
    // The other place's pick is kept; a file that is there but cannot be
    // read is not written over.
    if (QFileInfo::exists(path)) {
        if (const StoreFile::ReadResult read = StoreFile::ReadWhole(path); read.error)
            return ErrorText::CannotOpenFile(path, *read.error);
    }
    const Place other = place == Place::Drill ? Place::Exam : Place::Drill;
    const PresetPick kept = Read(path, other);
    QByteArray bytes;
    for (const auto &[where, what] : {std::pair{place, pick}, std::pair{other, kept}})
        bytes += PlaceName(where) + ' ' + QByteArray::number(what.PresetId) + ' ' + QByteArray::number(what.Choice) + "\r\n";
    if (const std::optional<QString> error = StoreFile::WriteWhole(path, bytes))
        return ErrorText::CannotCreateFile(path, *error);
    return std::nullopt;
}

}  // namespace PresetMemory
