#include "storage/InstallFolder.h"

#include "notices/ErrorText.h"
#include "storage/DataFiles.h"
#include "storage/StoreFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

const QString kDatabaseFolder = QStringLiteral("database\\");
// The cues are shipped with every copy of the program, so their folder marks
// a portable one even before its user's files exist.
const QString kSoundFolder = QStringLiteral("Sound\\");

QString AsFolder(const QString &path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path) + QLatin1Char('/'));
}

std::optional<QString> MakeFolder(const QString &folder)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).toStdString()), error);
    if (error)
        return ErrorText::CannotCreateFolder(QDir::toNativeSeparators(QDir::cleanPath(folder)),
                                             QString::fromLocal8Bit(error.message()));
    return std::nullopt;
}

}  // namespace

InstallFolder::InstallFolder(Layout layout, QString shippedRoot, QString userRoot)
    : layout_(layout), shippedRoot_(std::move(shippedRoot)), userRoot_(std::move(userRoot))
{
}

InstallFolder InstallFolder::Decide(const QString &executableFolder, const QString &userDataFolder)
{
    const QString beside = AsFolder(executableFolder);
    if (QFileInfo(Join(beside, kSoundFolder)).isDir())
        return {Layout::Portable, beside, beside};
    return {Layout::Installed, AsFolder(executableFolder + QStringLiteral("/../share/numbrook")),
            AsFolder(userDataFolder)};
}

InstallFolder InstallFolder::Current()
{
    return Decide(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString InstallFolder::UserDatabaseFolder() const
{
    return Join(userRoot_, kDatabaseFolder);
}

std::optional<QString> InstallFolder::PrepareUserFolder() const
{
    if (layout_ == Layout::Portable)
        return std::nullopt;
    const RecordFolders practice = PracticeRecordFolders();
    const RecordFolders competition = CompetitionRecordFolders();
    for (const QString &folder : {kDatabaseFolder, practice.right, practice.wrong, competition.right, competition.wrong})
        if (std::optional<QString> error = MakeFolder(Join(userRoot_, folder)))
            return error;
    return SeedTipStore();
}

std::optional<QString> InstallFolder::SeedTipStore() const
{
    const QString store = Join(userRoot_, TipStoreRelativePath());
    if (QFileInfo::exists(store))
        return std::nullopt;
    // A second copy starting at the same moment, or one already saving a
    // tip, must find the store either absent or whole.
    const StoreFile::Lock lock(store);
    if (lock.Error())
        return ErrorText::CannotCreateFile(store, *lock.Error());
    if (QFileInfo::exists(store))
        return std::nullopt;
    const QString starter = Join(shippedRoot_, TipStoreRelativePath());
    const StoreFile::ReadResult read = StoreFile::ReadWhole(starter);
    if (read.error)
        return ErrorText::CannotOpenFile(starter, *read.error);
    if (std::optional<QString> error = StoreFile::WriteWhole(store, read.bytes))
        return ErrorText::CannotCreateFile(store, *error);
    return std::nullopt;
}

QString InstallFolder::Join(const QString &root, const QString &relativePath)
{
    QString relative = relativePath;
    relative.replace(QLatin1Char('\\'), QDir::separator());
    return root + relative;
}

QString InstallFolder::PathOf(const QString &relativePath)
{
    return Join(Current().ShippedRoot(), relativePath);
}
