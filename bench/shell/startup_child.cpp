// Starts the program's main menu exactly as the program does, its user's
// folder prepared first, and, once the first paint of the window is
// complete, prints the CLOCK_MONOTONIC time in nanoseconds and ends.
#include "shell/Application.h"
#include "shell/TForm1.h"
#include "storage/InstallFolder.h"
#include "support/FirstPaintClock.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication(app);
    if (const std::optional<QString> error = InstallFolder::Current().PrepareUserFolder()) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 1;
    }
    TForm1 mainMenu;
    ShowMainMenu(mainMenu, std::nullopt);
    FirstPaintClock clock(&mainMenu);
    return QApplication::exec();
}
