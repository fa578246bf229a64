#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace WindowPlacement {

void CentreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

void MinimiseApplication()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->showMinimized();
    }
}

void SetStaysOnTop(QWidget *window, bool onTop)
{
    Qt::WindowFlags flags = window->windowFlags();
    if (flags.testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    QWindow *native = window->windowHandle();
    if (!native) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    // Changing a shown widget's flags hides it, and hiding a dialog ends its
    // modal loop: the native window takes the hint and the widget's flags
    // are brought in step without a round trip through the window system.
    native->setFlag(Qt::WindowStaysOnTopHint, onTop);
    window->overrideWindowFlags(flags.setFlag(Qt::WindowStaysOnTopHint, onTop));
}

}  // namespace WindowPlacement
