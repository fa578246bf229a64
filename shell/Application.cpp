#include "shell/Application.h"

#include "shell/ApplicationTitle.h"

#include <QApplication>
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
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setApplicationDisplayName(ApplicationTitle());
    app.setWindowIcon(QIcon(QStringLiteral(":/menu/app-icon.svg")));
    LoadQtChinese(app);
}
