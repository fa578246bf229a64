#pragma once

class QWidget;

namespace WindowPlacement {

// Places a window of fixed size in the middle of its screen.
void CentreOnScreen(QWidget *window);

// Minimises every window of the program; the borderless windows carry their
// own controls for it.
void MinimiseApplication();

// Switches stay-on-top on or off, keeping the window on screen where it was.
void SetStaysOnTop(QWidget *window, bool onTop);

}  // namespace WindowPlacement
