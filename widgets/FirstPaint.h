#pragma once

#include <functional>

class QWidget;

// Runs work once window has been painted for the first time and that paint
// is on screen, so what the window does not show or sound at once waits
// until the child sees the window.
void AfterFirstPaint(QWidget *window, std::function<void()> work);
