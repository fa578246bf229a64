#include "shell/Application.h"
#include "notices/Notices.h"
#include "shell/Histories.h"
#include "shell/NotebookFeed.h"
#include "shell/TForm1.h"
#include "storage/InstallFolder.h"

#include <QApplication>
#include <utility>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication(app);
    std::optional<QString> folderError = InstallFolder::Current().PrepareUserFolder();
    TForm1 mainMenu;
    ShowMainMenu(mainMenu, std::move(folderError));
    const int status = QApplication::exec();
    const Notices::OneErrorBox ending;
    NotebookFeed::ProgramEnds();
    Histories::ProgramEnds();
    return status;
}
