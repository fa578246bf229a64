#pragma once

class QApplication;

// Sets up the application object: its name and title, its icon, its desktop
// entry and Qt's Chinese translation for Qt's own texts.
void SetUpApplication(QApplication &app);
