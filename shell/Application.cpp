#include "shell/Application.h"

#include "shell/ApplicationTitle.h"

#include <QApplication>
#include <QIcon>

void SetUpApplication(QApplication &app)
{
    // The name alone: a display name would be appended to every window's
    // title ("考场 — Numbrook"), and the titles are exactly the captions.
    QApplication::setApplicationName(ApplicationTitle());
    app.setWindowIcon(QIcon(QStringLiteral(":/menu/app-icon.svg")));
}
