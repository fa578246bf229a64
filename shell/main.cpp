#include "shell/Application.h"
#include "sound/Cues.h"
#include "storage/InstallFolder.h"
#include "notices/Notices.h"
#include "shell/NotebookFeed.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication(app);
    const std::optional<QString> folderError = InstallFolder::Current().PrepareUserFolder();
    TForm1 mainMenu;
    mainMenu.show();
    // Decoding the cues waits until the menu is on screen, so start-up is
    // not held up by it.
    QTimer::singleShot(0, &mainMenu, &Cues::Preload);
    // The menu opens all the same: the child can still drill and take
    // exams; only saving fails, each time with its own error.
    if (folderError)
        QTimer::singleShot(0, &mainMenu, [&folderError] { Notices::ShowErrorBox(*folderError); });
    const int status = QApplication::exec();
    NotebookFeed::ProgramEnds();
    return status;
}
