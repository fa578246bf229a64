// The start-up benchmark's yardstick: an empty frameless window of the main
// menu's size, in a program of Qt Widgets alone, timed to its first paint as
// the menu is.
#include "support/FirstPaintClock.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(792, 545);
    FirstPaintClock clock(&window);
    window.show();
    return QApplication::exec();
}
