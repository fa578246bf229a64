#pragma once

class QApplication;

// Sets up the application object: its title, its icon, and Qt's Chinese
// translation for Qt's own texts.
void SetUpApplication(QApplication &app);
