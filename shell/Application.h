#pragma once

class QApplication;

// Sets up the application object: its name and title, its icon, its desktop
// entry and Qt's translations for the user's language.
void SetUpApplication(QApplication &app);
