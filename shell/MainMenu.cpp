#include "shell/MainMenu.h"

#include "sound/CueNames.h"
#include "shell/MainMenuView.h"

MainMenu::MainMenu(MainMenuView &view, int handleWidth, int handleHeight)
    : view_(view), handleHeight_(handleHeight), handleWidth_(handleWidth)
{
}

void MainMenu::Visit(const std::function<void()> &opening)
{
    if (moduleOpen_)
        return;
    moduleOpen_ = true;
    opening();
    moduleOpen_ = false;
    ShowNotebookDue();
    ShowDailyDone();
}

void MainMenu::ShowNotebookDue()
{
    view_.setNotebookBadge(view_.notebookDueCount());
}

void MainMenu::ShowDailyDone()
{
    dailyShownFor_ = view_.today();
    view_.setDailyDone(view_.dailyDoneToday());
}

void MainMenu::OpenPractice()
{
    Visit([this] {
        view_.playCue(CueNames::Tishi());
        view_.openDrill(DrillMode::Practice);
    });
}

void MainMenu::OpenCompetition()
{
    // The notice is part of the visit: the menu is already waiting.
    Visit([this] {
        view_.playCue(CueNames::Jingsai());
        view_.showNotice(QStringLiteral("你有十分钟时间竞赛！"));
        view_.openDrill(DrillMode::Competition);
    });
}

void MainMenu::OpenExamRoom()
{
    Visit([this] {
        view_.playCue(CueNames::Tishi());
        view_.openExamRoom();
    });
}

void MainMenu::OpenTipsBook()
{
    Visit([this] {
        view_.playCue(CueNames::Tishi());
        view_.openTipsBook();
    });
}

void MainMenu::OpenNotebook()
{
    Visit([this] {
        view_.playCue(CueNames::Tishi());
        view_.openNotebook();
    });
}

void MainMenu::OpenGrowth()
{
    Visit([this] {
        view_.playCue(CueNames::Tishi());
        view_.openGrowth();
    });
}

void MainMenu::OpenDaily()
{
    Visit([this] {
        view_.playCue(CueNames::Tishi());
        view_.openDaily();
    });
}

void MainMenu::ChooseChild()
{
    Visit([this] { view_.chooseChild(); });
}

void MainMenu::Leave()
{
    if (!moduleOpen_)
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
    if (moduleOpen_)
        return;
    normalStyle_ = !normalStyle_;
    view_.setStaysOnTop(!normalStyle_);
}

void MainMenu::Minimise()
{
    if (moduleOpen_)
        return;
    view_.minimiseApplication();
}

void MainMenu::AnimationTick()
{
    view_.animateRunner();
    // Past midnight yesterday's ✓ comes off; nothing is looked up before
    // the menu has shown it once.
    if (dailyShownFor_.isValid() && !moduleOpen_ && view_.today() != dailyShownFor_)
        ShowDailyDone();
}

void MainMenu::BackgroundPressed(int x, int y)
{
    // The press point becomes the dog's top-left corner, inside the window
    // or not.
    view_.moveRunner(x, y);
}
