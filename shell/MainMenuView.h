#pragma once

#include "lianxi/DrillMode.h"

class QDate;
class QString;

// What the main menu's logic needs from its window.
class MainMenuView {
public:
    virtual ~MainMenuView() = default;

    virtual int windowTop() const = 0;
    virtual int windowLeft() const = 0;
    virtual void setWindowTop(int top) = 0;
    virtual void setWindowLeft(int left) = 0;
    virtual void setStaysOnTop(bool onTop) = 0;
    virtual void minimiseApplication() = 0;

    // The dog: its next frame, and where its top-left corner stands.
    virtual void animateRunner() = 0;
    virtual void moveRunner(int x, int y) = 0;

    virtual void playCue(const QString &relativePath) = 0;
    virtual void showNotice(const QString &text) = 0;

    // Each creates a new module window, shows it modally and returns once
    // it has closed.
    virtual void openDrill(DrillMode mode) = 0;
    virtual void openExamRoom() = 0;
    virtual void openTipsBook() = 0;
    virtual void openNotebook() = 0;
    virtual void openGrowth() = 0;
    virtual void openDaily() = 0;
    virtual void chooseChild() = 0;

    virtual void quitApplication() = 0;

    // The 错题本's problems due today, and the badge on the notebook that
    // shows them (hidden at 0).
    virtual int notebookDueCount() const = 0;
    virtual void setNotebookBadge(int dueCount) = 0;

    // Whether the chosen child has done today's 今日练习, and the ✓ on its
    // picture that shows it.
    virtual QDate today() const = 0;
    virtual bool dailyDoneToday() const = 0;
    virtual void setDailyDone(bool done) = 0;
};
