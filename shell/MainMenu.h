#pragma once

#include <QDate>
#include <functional>

class MainMenuView;

enum class PointerButton { Left, Other };

// The main menu's behaviour: opening the modules, the drag handle, staying on
// top and the dog. While a module is open the menu ignores its buttons: a
// screen reader's press reaches them past the module's modal window, and
// would open a second module over the first or end the program under it.
class MainMenu {
public:
    MainMenu(MainMenuView &view, int handleWidth, int handleHeight);

    void OpenPractice();
    void OpenCompetition();
    void OpenExamRoom();
    void OpenTipsBook();
    void OpenNotebook();
    void OpenGrowth();
    // 今日练习: the chosen child's session of the day.
    void OpenDaily();
    // "换一个小朋友": who practises now.
    void ChooseChild();
    void Leave();

    void HandlePressed(PointerButton button);
    void HandleMoved(int x, int y);
    void HandleReleased();

    void ToggleStayOnTop();
    void Minimise();
    void AnimationTick();
    void BackgroundPressed(int x, int y);
    // Counts what the 错题本 has due today onto its badge: once the menu is
    // on screen, and after every visit (a review or a new day changes it).
    void ShowNotebookDue();
    // The ✓ on 今日练习 when the chosen child has done today's session: once
    // the menu is on screen, after every visit and when the day changes.
    void ShowDailyDone();

    bool Dragging() const { return dragging_; }
    bool NormalStyle() const { return normalStyle_; }
    bool ModuleOpen() const { return moduleOpen_; }

private:
    // Runs one visit of a module, from its cue until its window has closed.
    void Visit(const std::function<void()> &opening);

    MainMenuView &view_;
    bool moduleOpen_ = false;
    bool dragging_ = false;
    bool normalStyle_ = true;
    int handleHeight_;
    int handleWidth_;
    QDate dailyShownFor_;  // the day the ✓ was last looked up for
};
