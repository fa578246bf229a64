#include "storage/InstallFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every path below root, folders ending in "/", with each file's bytes.
QStringList Listing(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const QString name = QDir(root).relativeFilePath(path);
        if (it.fileInfo().isDir())
            entries << name + QLatin1Char('/');
        else if (file.open(QIODevice::ReadOnly))
            entries << name + QLatin1Char('=') + QString::fromLatin1(file.readAll().toHex());
        else
            entries << name + QStringLiteral("=<") + file.errorString() + QLatin1Char('>');
    }
    entries.sort();
    return entries;
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<" + file.errorString().toUtf8() + ">");
}

const QByteArray kStarterTips = "\xbc\xd3\xb7\xa8\r\n\xbc\xf5\xb7\xa8\r\n";
// As Listing() sorts them.
const QStringList kUserFolders{"Lxcuo/", "Lxdui/", "database/", "jjcuo/", "jjdui/"};

}  // namespace

class tst_InstallFolder : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString &relative) const { return dir_->filePath(relative); }

    // A package unpacked under prefix: the program in bin, its shipped
    // files in share/numbrook.
    InstallFolder Installed(const QString &userData) const
    {
        return InstallFolder::Decide(path("usr/bin"), userData);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QVERIFY(QDir().mkpath(path("usr/bin")));
        QVERIFY(Write(path("usr/share/numbrook/database/yd.zerk"), kStarterTips));
    }

    void backslashesBecomeTheSeparator()
    {
        QCOMPARE(InstallFolder::Join("/opt/numbrook/", "Sound\\tishi.WAV"), QString("/opt/numbrook/Sound/tishi.WAV"));
        QCOMPARE(InstallFolder::Join("/r/", "Lxdui\\2024-3-7.txt"), QString("/r/Lxdui/2024-3-7.txt"));
    }

    // The folder as it was always laid out: everything beside the program,
    // also a database folder that is missing, and nothing is made.
    void aFolderHoldingSoundIsPortableAndCreatesNothing_data()
    {
        QTest::addColumn<bool>("withDatabase");
        QTest::newRow("with its database") << true;
        QTest::newRow("without its database") << false;
    }

    void aFolderHoldingSoundIsPortableAndCreatesNothing()
    {
        QFETCH(bool, withDatabase);
        if (withDatabase)
            QVERIFY(Write(path("Numbrook/database/yd.zerk"), "mine\r\n"));
        QVERIFY(QDir().mkpath(path("Numbrook/Sound")));
        const QStringList before = Listing(dir_->path());
        const InstallFolder folder = InstallFolder::Decide(path("Numbrook"), path("home/data"));
        QCOMPARE(folder.layout(), InstallFolder::Layout::Portable);
        QCOMPARE(folder.ShippedRoot(), path("Numbrook/"));
        QCOMPARE(folder.UserRoot(), path("Numbrook/"));
        QCOMPARE(folder.UserDatabaseFolder(), path("Numbrook/database/"));
        QCOMPARE(folder.CuePlayerFile(), path("Numbrook/numbrook-cues.so"));
        QCOMPARE(folder.PrepareUserFolder(), std::nullopt);
        QCOMPARE(Listing(dir_->path()), before);
    }

    // A database folder beside the program does not make it portable.
    void aFolderWithoutSoundReadsShareAndKeepsTheUsersFilesApart()
    {
        QVERIFY(QDir().mkpath(path("usr/bin/database")));
        const QStringList before = Listing(dir_->path());
        const InstallFolder folder = Installed(path("home/.local/share/numbrook"));
        QCOMPARE(folder.layout(), InstallFolder::Layout::Installed);
        QCOMPARE(folder.ShippedRoot(), path("usr/share/numbrook/"));
        QCOMPARE(folder.UserRoot(), path("home/.local/share/numbrook/"));
        QCOMPARE(folder.UserDatabaseFolder(), path("home/.local/share/numbrook/database/"));
        QCOMPARE(folder.CuePlayerFile(), path("usr/" NUMBROOK_PLUGIN_DIR "/numbrook-cues.so"));
        QCOMPARE(Listing(dir_->path()), before);
    }

    void theFirstStartMakesTheFoldersAndSeedsTheStoreLaterOnesKeepIt()
    {
        const InstallFolder folder = Installed(path("home/.local/share/numbrook"));
        QCOMPARE(folder.PrepareUserFolder(), std::nullopt);
        QStringList expected = kUserFolders;
        expected.insert(3, "database/yd.zerk=" + QString::fromLatin1(kStarterTips.toHex()));
        QCOMPARE(Listing(path("home/.local/share/numbrook")), expected);

        // The user's own tips, and a newer starter store shipped by an
        // upgrade: the user's store stays as it is.
        const QByteArray users = kStarterTips + "\xa1\xef" "12+9\r\n";
        QVERIFY(Write(path("home/.local/share/numbrook/database/yd.zerk"), users));
        QVERIFY(Write(path("usr/share/numbrook/database/yd.zerk"), "new\r\n"));
        QVERIFY(QDir(path("home/.local/share/numbrook/Lxdui")).removeRecursively());
        QCOMPARE(folder.PrepareUserFolder(), std::nullopt);
        QCOMPARE(Read(path("home/.local/share/numbrook/database/yd.zerk")), users);
        QVERIFY(QFileInfo(path("home/.local/share/numbrook/Lxdui")).isDir());
    }

    // Even root cannot make a folder below a plain file.
    void aFolderThatCannotBeMadeIsReported()
    {
        QVERIFY(Write(path("home/.local"), "a file, not a folder"));
        const InstallFolder folder = Installed(path("home/.local/share/numbrook"));
        QCOMPARE(folder.PrepareUserFolder(),
                 "Cannot create folder \"" + path("home/.local/share/numbrook/database") + "\". Not a directory");
    }

    // A store that is a link to nothing: the first start makes no file where
    // it points.
    void aDanglingStoreLinkIsRefused()
    {
        QVERIFY(QDir().mkpath(path("data/database")));
        QVERIFY(QFile::link(path("elsewhere/.bashrc"), path("data/database/yd.zerk")));
        const InstallFolder folder = Installed(path("data"));
        QCOMPARE(folder.PrepareUserFolder(),
                 "Cannot create file \"" + path("data/database/yd.zerk") + "\". Is a symbolic link");
        QVERIFY(!QFileInfo::exists(path("elsewhere")));
    }

    // The shipped starter tips are only read, and a packager may link them
    // elsewhere: the user gets a store of their own with the tips.
    void aLinkedStarterStoreSeedsTheUsersStore()
    {
        const QString shipped = path("usr/share/numbrook/database/yd.zerk");
        QVERIFY(QFile::rename(shipped, path("usr/share/numbrook/starter-tips")));
        QVERIFY(QFile::link(path("usr/share/numbrook/starter-tips"), shipped));
        const InstallFolder folder = Installed(path("data"));
        QCOMPARE(folder.PrepareUserFolder(), std::nullopt);
        QCOMPARE(Read(path("data/database/yd.zerk")), kStarterTips);
        QVERIFY(!QFileInfo(path("data/database/yd.zerk")).isSymLink());
    }

    void aMissingStarterStoreIsReportedAndTheFoldersAreStillMade()
    {
        QVERIFY(QFile::remove(path("usr/share/numbrook/database/yd.zerk")));
        const InstallFolder folder = Installed(path("data"));
        QCOMPARE(folder.PrepareUserFolder(), "Cannot open file \"" + path("usr/share/numbrook/database/yd.zerk") +
                                                 "\". No such file or directory");
        QCOMPARE(Listing(path("data")), kUserFolders);
    }

    // The running program: a test program has no "Sound" beside it, so
    // it counts as installed, and its user's folder follows XDG_DATA_HOME,
    // or HOME without it or where it is relative, whatever the current
    // folder.
    void theRunningProgramUsesTheUsersDataFolder()
    {
        const QByteArray savedHome = qgetenv("HOME");
        const QByteArray savedXdg = qgetenv("XDG_DATA_HOME");
        const QString savedName = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName("numbrook");
        qputenv("HOME", QFile::encodeName(path("home")));
        qunsetenv("XDG_DATA_HOME");
        const InstallFolder fromHome = InstallFolder::Current();
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("xdg")));
        const InstallFolder fromXdg = InstallFolder::Current();
        const QString savedCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->path()));
        qputenv("XDG_DATA_HOME", "relative/data");
        const InstallFolder fromRelative = InstallFolder::Current();
        const QByteArray relativeAfter = qgetenv("XDG_DATA_HOME");
        QVERIFY(QDir::setCurrent(savedCurrent));
        qputenv("HOME", savedHome);
        if (savedXdg.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedXdg);
        QCoreApplication::setApplicationName(savedName);

        QCOMPARE(fromHome.layout(), InstallFolder::Layout::Installed);
        QCOMPARE(fromHome.UserRoot(), path("home/.local/share/numbrook/"));
        QCOMPARE(fromXdg.UserRoot(), path("xdg/numbrook/"));
        QCOMPARE(fromRelative.UserRoot(), path("home/.local/share/numbrook/"));
        QCOMPARE(relativeAfter, QByteArray("relative/data"));
        const QString share = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/numbrook") + '/';
        QCOMPARE(fromHome.ShippedRoot(), share);
        QCOMPARE(InstallFolder::PathOf("Sound\\dui.wav"), share + "Sound/dui.wav");
    }
};

QTEST_GUILESS_MAIN(tst_InstallFolder)
#include "tst_installfolder.moc"
