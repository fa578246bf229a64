#include "shell/Application.h"
#include "shell/TForm1.h"
#include "widgets/FirstPaint.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

// Every file the process has mapped: its libraries, plugins and fonts.
QString Mapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/maps: %s", qPrintable(maps.errorString()));
    return QString::fromLocal8Bit(maps.readAll());
}

}  // namespace

// The program's start as a child meets it: the menu is on screen before
// anything it does not show or sound is loaded.
class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    // A portable folder of the test's own, with the cue player plugin.
    void initTestCase()
    {
        const QString folder = QCoreApplication::applicationDirPath();
        QVERIFY(QDir(folder).mkpath(QStringLiteral("Sound")));
        const QString plugin = folder + QStringLiteral("/numbrook-cues.so");
        QFile::remove(plugin);
        QVERIFY(QFile::copy(QStringLiteral(CUE_PLAYER_PLUGIN), plugin));
    }

    void theMenuPaintsBeforeAnyFontOrTheSoundSystemLoads()
    {
        SetUpApplication(*qApp);
        TForm1 menu;
        ShowMainMenu(menu, std::nullopt);
        // The watcher installed last sees the paint first, so this runs
        // before the menu's own work after its first paint.
        QString atFirstPaint;
        AfterFirstPaint(&menu, [&atFirstPaint] { atFirstPaint = Mapped(); });
        QTRY_VERIFY(!atFirstPaint.isEmpty());

        static const QRegularExpression kFontFile(QStringLiteral("\\.(ttf|ttc|otf|pfb|pcf|pcf\\.gz)$"),
                                                  QRegularExpression::MultilineOption);
        QVERIFY2(!atFirstPaint.contains(kFontFile), "a font was loaded before the menu's first paint");
        QVERIFY2(!atFirstPaint.contains(QStringLiteral("libQt6Multimedia")),
                 "the sound system was loaded before the menu's first paint");
        QTRY_VERIFY2(Mapped().contains(QStringLiteral("numbrook-cues.so")), "the cue player never came");
        QVERIFY(Mapped().contains(QStringLiteral("libQt6Multimedia")));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
