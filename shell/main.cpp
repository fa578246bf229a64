#include "shell/Application.h"
#include "shell/Cues.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication(app);
    TForm1 mainMenu;
    mainMenu.show();
    // Decoding the cues waits until the menu is on screen, so start-up is
    // not held up by it.
    QTimer::singleShot(0, &mainMenu, &Cues::Preload);
    return QApplication::exec();
}
