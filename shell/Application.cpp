#include "shell/Application.h"

#include "notices/ApplicationTitle.h"
#include "notices/Notices.h"
#include "shell/TForm1.h"
#include "sound/Cues.h"
#include "widgets/FirstPaint.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The interface is Chinese whatever the system's locale, so Qt's own texts,
// such as the message boxes' "确定", are Chinese too.
void LoadQtChinese(QApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        qWarning("Cannot load Qt's Chinese translation qtbase_zh_CN.qm from %s; Qt's own buttons stay English.",
                 qPrintable(folder));
        delete translator;
        return;
    }
    QApplication::installTranslator(translator);
}

}  // namespace

void SetUpApplication(QApplication &app)
{
    // The lower-case name is the one of the program's file and of the
    // user's data folder (~/.local/share/numbrook). No display name: Qt would
    // append it to every window's title ("考场 — Numbrook"), and the titles
    // are exactly the captions; message boxes are titled "Numbrook" by name.
    QApplication::setApplicationName(QStringLiteral("numbrook"));
    // Lets the desktop match the windows to the menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(NUMBROOK_APP_ID));
    app.setWindowIcon(QIcon(QStringLiteral(":/menu/app-icon.svg")));
    // Message boxes, and any control without a face of its own, in the
    // windows' own sans-serif: left to the locale's font fallback, Chinese
    // text would come out in whatever face it prefers, a thin brush face
    // under a non-Chinese locale.
    QFont font = QApplication::font();
    font.setFamilies(Fonts::Ui(12).families());
    QApplication::setFont(font);
    LoadQtChinese(app);
}

void ShowMainMenu(TForm1 &menu, std::optional<QString> folderError)
{
    // The current child's folders, as the first child's: a list naming a
    // child whose folder went would otherwise fail every save.
    if (!folderError)
        folderError = menu.ChildFolder().PrepareChildFolder();
    AfterFirstPaint(&menu, [&menu, folderError = std::move(folderError)] {
        Cues::Preload();
        if (folderError)
            Notices::ShowErrorBox(*folderError);
        menu.AskWhoPractises();
    });
    menu.show();
}
