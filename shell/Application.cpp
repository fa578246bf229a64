#include "shell/Application.h"

#include "shell/ApplicationTitle.h"

#include <QApplication>
#include <QIcon>

void SetUpApplication(QApplication &app)
{
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setApplicationDisplayName(ApplicationTitle());
    app.setWindowIcon(QIcon(QStringLiteral(":/menu/app-icon.svg")));
}
