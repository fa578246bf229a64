#include "shell/InstallFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

class tst_InstallFolder : public QObject {
    Q_OBJECT

private slots:
    void backslashesBecomeTheSeparator()
    {
        QCOMPARE(InstallFolder::Join("/opt/numbrook/", "Sound\\tishi.WAV"), QString("/opt/numbrook/Sound/tishi.WAV"));
        QCOMPARE(InstallFolder::Join("/r/", "Lxdui\\2024-3-7.txt"), QString("/r/Lxdui/2024-3-7.txt"));
    }

    void executableFolderEndsInASeparator()
    {
        const QString folder = InstallFolder::ExecutableFolder();
        QVERIFY(folder.endsWith(QDir::separator()));
        QCOMPARE(QDir(folder).absolutePath(), QDir(QCoreApplication::applicationDirPath()).absolutePath());
        QCOMPARE(InstallFolder::PathOf("database\\yd.zerk"), folder + "database/yd.zerk");
    }
};

QTEST_GUILESS_MAIN(tst_InstallFolder)
#include "tst_installfolder.moc"
