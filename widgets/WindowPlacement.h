#pragma once

class QWidget;

namespace WindowPlacement {

// Places a window of fixed size in the middle of its screen.
void CentreOnScreen(QWidget *window);

// Minimises every window of the program; the borderless windows carry their
// own controls for it.
void MinimiseApplication();

// Switches stay-on-top on or off; the window stays shown where it is, and a
// modal dialog stays in its modal loop.
void SetStaysOnTop(QWidget *window, bool onTop);

}  // namespace WindowPlacement
