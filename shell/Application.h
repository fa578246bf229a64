#pragma once

class QApplication;

// Sets up the application object: its title, its icon, and the font faces
// the windows fall back on.
void SetUpApplication(QApplication &app);
