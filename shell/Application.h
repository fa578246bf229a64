#pragma once

#include <QString>
#include <optional>

class QApplication;
class TForm1;

// Sets up the application object: its name and title, its icon, its desktop
// entry and Qt's Chinese translation for Qt's own texts.
void SetUpApplication(QApplication &app);

// Shows the main menu as the program starts it. Nothing the menu does not
// show or sound before its first paint is loaded before it: the cues are
// decoded, and an error in making the user's folder (folderError) or the
// current child's folders is shown, once it is on screen. The menu opens all the same after such an error: the
// child can still drill and take exams; only saving fails, each time with
// its own error.
void ShowMainMenu(TForm1 &menu, std::optional<QString> folderError);
