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
const QString kCuePlayerFile = QStringLiteral("numbrook-cues.so");

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

// The user's data folder. By the XDG rule a relative XDG_DATA_HOME is
// ignored and the default taken, while Qt would take it from whatever folder
// the program was started in.
QString UserDataFolder()
{
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isAbsolutePath(QFile::decodeName(dataHome)))
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    qunsetenv("XDG_DATA_HOME");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    qputenv("XDG_DATA_HOME", dataHome);
    return folder;
}

}  // namespace

InstallFolder::InstallFolder(Layout layout, QString shippedRoot, QString userRoot, QString cuePlayerFile)
    : layout_(layout),
      shippedRoot_(std::move(shippedRoot)),
      userRoot_(std::move(userRoot)),
      sharedRoot_(userRoot_),
      cuePlayerFile_(std::move(cuePlayerFile))
{
}

InstallFolder InstallFolder::ForChild(int childId) const
{
    InstallFolder child = *this;
    child.childId_ = childId;
    child.userRoot_ = childId <= 1 ? sharedRoot_ : Join(sharedRoot_, QStringLiteral("xiaopengyou\\%1\\").arg(childId));
    return child;
}

QString InstallFolder::SharedDatabaseFolder() const
{
    return Join(sharedRoot_, kDatabaseFolder);
}

std::optional<QString> InstallFolder::PrepareChildFolder() const
{
    // The first child's folders are the user's own, and a portable folder
    // makes none of its own.
    if (childId_ <= 1 && layout_ == Layout::Portable)
        return std::nullopt;
    return MakeUserFolders();
}

bool InstallFolder::ChildFolderIsThere(int childId) const
{
    return StoreFile::IsThere(QDir::cleanPath(ForChild(childId).UserRoot()));
}

InstallFolder InstallFolder::Decide(const QString &executableFolder, const QString &userDataFolder)
{
    const QString beside = AsFolder(executableFolder);
    if (QFileInfo(Join(beside, kSoundFolder)).isDir())
        return {Layout::Portable, beside, beside, beside + kCuePlayerFile};
    return {Layout::Installed, AsFolder(executableFolder + QStringLiteral("/../share/numbrook")),
            AsFolder(userDataFolder), AsFolder(executableFolder + QStringLiteral("/../" NUMBROOK_PLUGIN_DIR)) + kCuePlayerFile};
}

InstallFolder InstallFolder::Current()
{
    return Decide(QCoreApplication::applicationDirPath(), UserDataFolder());
}

QString InstallFolder::UserDatabaseFolder() const
{
    return Join(userRoot_, kDatabaseFolder);
}

std::optional<QString> InstallFolder::PrepareUserFolder() const
{
    if (layout_ == Layout::Portable)
        return std::nullopt;
    if (std::optional<QString> error = MakeUserFolders())
        return error;
    return SeedTipStore();
}

std::optional<QString> InstallFolder::MakeUserFolders() const
{
    const RecordFolders practice = PracticeRecordFolders();
    const RecordFolders competition = CompetitionRecordFolders();
    for (const QString &folder : {kDatabaseFolder, practice.right, practice.wrong, competition.right, competition.wrong})
        if (std::optional<QString> error = MakeFolder(Join(userRoot_, folder)))
            return error;
    return std::nullopt;
}

std::optional<QString> InstallFolder::SeedTipStore() const
{
    const QString store = Join(userRoot_, TipStoreRelativePath());
    // A link to nothing is there too: it is refused rather than written
    // through.
    if (StoreFile::IsThere(store) && !QFileInfo(store).isSymLink())
        return std::nullopt;
    // A second copy starting at the same moment, or one already saving a
    // tip, must find the store either absent or whole.
    const StoreFile::Lock lock(store);
    if (lock.Error())
        return ErrorText::CannotCreateFile(store, *lock.Error());
    if (StoreFile::IsThere(store) && !QFileInfo(store).isSymLink())
        return std::nullopt;
    const QString starter = Join(shippedRoot_, TipStoreRelativePath());
    const StoreFile::ReadResult read = StoreFile::ReadWhole(starter, StoreFile::Links::Followed);
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
