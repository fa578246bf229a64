#include "shell/MainMenu.h"

#include "shell/CueNames.h"
#include "shell/MainMenuView.h"

MainMenu::MainMenu(MainMenuView &view, int handleWidth, int handleHeight)
    : view_(view), handleHeight_(handleHeight), handleWidth_(handleWidth)
{
}

void MainMenu::OpenPractice()
{
    view_.playCue(CueNames::Tishi());
    view_.openDrill(DrillMode::Practice);
}

void MainMenu::OpenCompetition()
{
    view_.playCue(CueNames::Jingsai());
    view_.showNotice(QStringLiteral("你有十分钟时间竞赛！"));
    view_.openDrill(DrillMode::Competition);
}

void MainMenu::OpenExamRoom()
{
    view_.playCue(CueNames::Tishi());
    view_.openExamRoom();
}

void MainMenu::OpenTipsBook()
{
    view_.playCue(CueNames::Tishi());
    view_.openTipsBook();
}

void MainMenu::OpenNotebook()
{
    view_.playCue(CueNames::Tishi());
    view_.openNotebook();
}

void MainMenu::Leave()
{
    view_.quitApplication();
}

void MainMenu::HandlePressed(PointerButton button)
{
    if (button == PointerButton::Left)
        dragging_ = true;
}

void MainMenu::HandleMoved(int x, int y)
{
    if (!dragging_)
        return;
    // The handle's centre follows the pointer; top first, then left, each
    // applied at once.
    view_.setWindowTop(view_.windowTop() + y - handleHeight_ / 2);
    view_.setWindowLeft(view_.windowLeft() + x - handleWidth_ / 2);
}

void MainMenu::HandleReleased()
{
    dragging_ = false;
}

void MainMenu::ToggleStayOnTop()
{
    normalStyle_ = !normalStyle_;
    view_.setStaysOnTop(!normalStyle_);
}

void MainMenu::Minimise()
{
    view_.minimiseApplication();
}

void MainMenu::AnimationTick()
{
    view_.animateRunner();
}

void MainMenu::BackgroundPressed(int x, int y)
{
    // The press point becomes the dog's top-left corner, inside the window
    // or not.
    view_.moveRunner(x, y);
}
