#include "shell/Application.h"
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
    return QApplication::exec();
}
