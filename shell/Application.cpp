#include "shell/Application.h"

#include "shell/ApplicationTitle.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's own texts (the OK of a message box, an edit's context menu) in the
// user's language, where Qt's translations are installed.
void LoadQtTranslations(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void SetUpApplication(QApplication &app)
{
    // The lower-case name is the one of the program's file and of the
    // user's data folder (~/.local/share/numbrook); the title is "Numbrook".
    QApplication::setApplicationName(QStringLiteral("numbrook"));
    QApplication::setApplicationDisplayName(ApplicationTitle());
    // Lets the desktop match the windows to the menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(NUMBROOK_APP_ID));
    app.setWindowIcon(QIcon(QStringLiteral(":/menu/app-icon.svg")));
    LoadQtTranslations(app);
}
