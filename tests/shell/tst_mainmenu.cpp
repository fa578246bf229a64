#include "sound/CueNames.h"
#include "shell/MainMenu.h"
#include "shell/MainMenuView.h"

#include <QPoint>
#include <QStringList>
#include <QTest>
#include <functional>
#include <optional>
#include <set>
#include <utility>

namespace {

// Records every request as one line, in order, and keeps the window state.
class FakeMenuView : public MainMenuView {
public:
    QStringList calls;
    int top = 100;
    int left = 200;
    bool onTop = false;
    QPoint dog;
    // Runs while a module window is "open", as its modal loop would.
    std::function<void()> whileOpen;

    int windowTop() const override { return top; }
    int windowLeft() const override { return left; }
    void setWindowTop(int t) override { top = t; calls << QString("top %1").arg(t); }
    void setWindowLeft(int l) override { left = l; calls << QString("left %1").arg(l); }
    void setStaysOnTop(bool on) override { onTop = on; calls << QString("on top %1").arg(on); }
    void minimiseApplication() override { calls << "minimise"; }
    void animateRunner() override { calls << "dog runs"; }
    void moveRunner(int x, int y) override { dog = {x, y}; }
    void playCue(const QString &path) override { calls << "cue " + path; }
    void showNotice(const QString &text) override
    {
        calls << "notice " + text;
        stayOpen();
    }
    void openDrill(DrillMode mode) override
    {
        calls << (mode == DrillMode::Practice ? "drill practice" : "drill competition");
        stayOpen();
    }
    void openExamRoom() override
    {
        calls << "exam room";
        stayOpen();
    }
    void openTipsBook() override
    {
        calls << "tips book";
        stayOpen();
    }
    void openNotebook() override
    {
        calls << "notebook";
        stayOpen();
    }
    void openGrowth() override
    {
        calls << "growth";
        stayOpen();
    }
    void openDaily() override
    {
        calls << "daily";
        doneBy.insert({child, day});
        stayOpen();
    }
    void chooseChild() override
    {
        calls << "children";
        child = nextChild;
    }
    void quitApplication() override { calls << "quit"; }
    int due = 0;
    int badge = -1;
    int notebookDueCount() const override { return due; }
    void setNotebookBadge(int dueCount) override { badge = dueCount; }
    // Who has done 今日练习 on which day, and the ✓ on show.
    int child = 1;
    int nextChild = 2;
    QDate day{2026, 3, 7};
    std::set<std::pair<int, QDate>> doneBy;
    std::optional<bool> tick;
    QDate today() const override { return day; }
    bool dailyDoneToday() const override { return doneBy.contains({child, day}); }
    void setDailyDone(bool done) override { tick = done; }

private:
    void stayOpen()
    {
        if (!whileOpen)
            return;
        const std::function<void()> presses = std::exchange(whileOpen, {});
        presses();
    }
};

using MenuAction = void (MainMenu::*)();
const MenuAction kOpenings[] = {&MainMenu::OpenPractice, &MainMenu::OpenCompetition, &MainMenu::OpenExamRoom,
                                &MainMenu::OpenTipsBook, &MainMenu::OpenNotebook, &MainMenu::OpenGrowth,
                                &MainMenu::OpenDaily};

}  // namespace

class tst_MainMenu : public QObject {
    Q_OBJECT

private slots:
    void modulesOpenInOrder_data()
    {
        QTest::addColumn<int>("crown");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("practice") << 0 << QStringList{"cue " + CueNames::Tishi(), "drill practice"};
        QTest::newRow("competition") << 1
                                     << QStringList{"cue " + CueNames::Jingsai(), "notice 你有十分钟时间竞赛！",
                                                    "drill competition"};
        QTest::newRow("exam room") << 2 << QStringList{"cue " + CueNames::Tishi(), "exam room"};
        QTest::newRow("tips book") << 3 << QStringList{"cue " + CueNames::Tishi(), "tips book"};
        QTest::newRow("notebook") << 4 << QStringList{"cue " + CueNames::Tishi(), "notebook"};
        QTest::newRow("growth") << 5 << QStringList{"cue " + CueNames::Tishi(), "growth"};
        QTest::newRow("daily") << 6 << QStringList{"cue " + CueNames::Tishi(), "daily"};
        QTest::newRow("leave asks nothing") << 7 << QStringList{"quit"};
    }

    void modulesOpenInOrder()
    {
        QFETCH(int, crown);
        FakeMenuView view;
        MainMenu menu(view, 177, 177);
        void (MainMenu::*const actions[])() = {&MainMenu::OpenPractice, &MainMenu::OpenCompetition,
                                               &MainMenu::OpenExamRoom,  &MainMenu::OpenTipsBook,
                                               &MainMenu::OpenNotebook,  &MainMenu::OpenGrowth,
                                               &MainMenu::OpenDaily,     &MainMenu::Leave};
        (menu.*actions[crown])();
        QTEST(view.calls, "calls");
    }

    void dragFollowsTheHandleCentre()
    {
        FakeMenuView view;
        MainMenu menu(view, 177, 177);
        menu.HandleMoved(100, 100);
        QVERIFY(view.calls.isEmpty());

        menu.HandlePressed(PointerButton::Other);
        menu.HandleMoved(100, 100);
        QVERIFY2(view.calls.isEmpty(), "a right-button press must not drag");

        menu.HandlePressed(PointerButton::Left);
        menu.HandleMoved(88 - 20 + 1, 88);
        QCOMPARE(view.calls, (QStringList{"top 100", "left 181"}));
        menu.HandleMoved(88, 90);
        QCOMPARE(view.top, 102);

        menu.HandleReleased();
        QVERIFY(!menu.Dragging());
        const int callsBefore = static_cast<int>(view.calls.size());
        menu.HandleMoved(0, 0);
        QCOMPARE(view.calls.size(), callsBefore);
    }

    void stayOnTopToggles()
    {
        FakeMenuView view;
        MainMenu menu(view, 177, 177);
        QVERIFY(menu.NormalStyle());
        menu.ToggleStayOnTop();
        QVERIFY(view.onTop);
        menu.ToggleStayOnTop();
        QVERIFY(!view.onTop);
        QVERIFY(menu.NormalStyle());
    }

    // A screen reader presses the menu's buttons past a module's modal
    // window: under every module, and under the competition's notice,
    // every button of the menu does nothing, and all work again after.
    void buttonsDoNothingWhileAModuleIsOpen_data()
    {
        QTest::addColumn<int>("module");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("practice") << 0 << QStringList{"cue " + CueNames::Tishi(), "drill practice"};
        QTest::newRow("competition notice")
            << 1 << QStringList{"cue " + CueNames::Jingsai(), "notice 你有十分钟时间竞赛！", "drill competition"};
        QTest::newRow("exam room") << 2 << QStringList{"cue " + CueNames::Tishi(), "exam room"};
        QTest::newRow("tips book") << 3 << QStringList{"cue " + CueNames::Tishi(), "tips book"};
        QTest::newRow("notebook") << 4 << QStringList{"cue " + CueNames::Tishi(), "notebook"};
        QTest::newRow("growth") << 5 << QStringList{"cue " + CueNames::Tishi(), "growth"};
        QTest::newRow("daily") << 6 << QStringList{"cue " + CueNames::Tishi(), "daily"};
    }

    void buttonsDoNothingWhileAModuleIsOpen()
    {
        QFETCH(int, module);
        FakeMenuView view;
        MainMenu menu(view, 177, 177);
        bool openDuringVisit = false;
        view.whileOpen = [&] {
            openDuringVisit = menu.ModuleOpen();
            for (MenuAction press : kOpenings)
                (menu.*press)();
            menu.Leave();
            menu.ToggleStayOnTop();
            menu.Minimise();
        };
        (menu.*kOpenings[module])();
        QVERIFY(openDuringVisit);
        QTEST(view.calls, "calls");
        QVERIFY(menu.NormalStyle());

        view.calls.clear();
        QVERIFY(!menu.ModuleOpen());
        menu.Minimise();
        menu.Leave();
        QCOMPARE(view.calls, (QStringList{"minimise", "quit"}));
    }

    // The ✓ on 今日练习: looked up once the menu shows, after a session,
    // for the child chosen, and taken off when the day changes.
    void dailyTickFollowsTheChildAndTheDay()
    {
        FakeMenuView view;
        MainMenu menu(view, 177, 177);
        view.doneBy = {{1, view.day}};
        menu.AnimationTick();
        QCOMPARE(view.tick, std::nullopt);
        menu.ShowDailyDone();
        QCOMPARE(view.tick, true);
        menu.ChooseChild();
        QCOMPARE(view.tick, false);
        menu.OpenDaily();
        QCOMPARE(view.tick, true);
        menu.OpenDaily();
        QCOMPARE(view.tick, true);
        view.day = view.day.addDays(1);
        menu.AnimationTick();
        QCOMPARE(view.tick, false);
    }

    void backgroundPressPutsTheDogThere()
    {
        FakeMenuView view;
        MainMenu menu(view, 177, 177);
        menu.BackgroundPressed(780, 530);
        QCOMPARE(view.dog, QPoint(780, 530));
    }
};

QTEST_GUILESS_MAIN(tst_MainMenu)
#include "tst_mainmenu.moc"
