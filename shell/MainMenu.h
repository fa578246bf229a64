#pragma once

class MainMenuView;

enum class PointerButton { Left, Other };

// The main menu's behaviour: opening the modules, the drag handle, staying on
// top and the dog.
class MainMenu {
public:
    MainMenu(MainMenuView &view, int handleWidth, int handleHeight);

    void OpenPractice();
    void OpenCompetition();
    void OpenExamRoom();
    void OpenTipsBook();
    void OpenNotebook();
    void Leave();

    void HandlePressed(PointerButton button);
    void HandleMoved(int x, int y);
    void HandleReleased();

    void ToggleStayOnTop();
    void Minimise();
    void AnimationTick();
    void BackgroundPressed(int x, int y);

    bool Dragging() const { return dragging_; }
    bool NormalStyle() const { return normalStyle_; }

private:
    MainMenuView &view_;
    bool dragging_ = false;
    bool normalStyle_ = true;
    int handleHeight_;
    int handleWidth_;
};
