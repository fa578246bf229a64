#include "FakeExamView.h"

#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"
#include "kaochang/ExamRoom.h"
#include "sound/CueNames.h"

#include <QLocale>
#include <QTest>

namespace {

const QString kHandInAdvice =
    QStringLiteral("请单击{判卷}，审核自己考试成绩！正确答案在判卷后对错符号的提示信息中！");

// A room on a fake window.
struct Sitting {
    FakeExamView view;
    ExamRoom room{view};

    void applyAndStart(int questionIndex, int timeIndex, int operation = 2)
    {
        view.questionIndex = questionIndex;
        view.timeIndex = timeIndex;
        view.operation = operation;
        room.Apply();
        room.Start();
    }

    void runSteps(int steps)
    {
        for (int i = 0; i < steps; ++i)
            room.RunnerStep();
    }

    void answer(int k, bool right) { view.typeAnswer(k, QString::number(room.Paper().at(k).Answer + (right ? 0 : 1))); }

    void handInAs(const QString &name)
    {
        view.nameOne = name;
        view.nameTwo = name;
        room.HandIn();
    }
};

// What the history is told at 判卷.
struct HistoryRecorder : AnswerListener {
    PracticeSetting setting;
    QList<CheckedAnswer> answers;
    void SessionStarted(const PracticeSetting &s) override { setting = s; }
    void Answered(const CheckedAnswer &answer) override { answers.append(answer); }
    void SessionScored(qint64) override {}
};

}  // namespace

Q_DECLARE_METATYPE(Recipe)

class tst_ExamRoom : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void newRoomWaitsForSettings();
    void aRecipeSetsThePaper_data();
    void aRecipeSetsThePaper();
    void generateBeforeApplyAsksForSettings();
    void applyTakesTimeAndCount_data();
    void applyTakesTimeAndCount();
    void applyFillsTheFirstSlotsOnly();
    void generatingAgainLeavesNothingOfTheFirstPaper();
    void operationSettingReachesThePaper_data();
    void operationSettingReachesThePaper();
    void startRunsItsSteps();
    void startRefusedWhileSettingsAreOpen();
    void countdown_data();
    void countdown();
    void timeIsUpAfterSixHundredSteps_data();
    void timeIsUpAfterSixHundredSteps();
    void secondExamAfterTimeOutLastsItsFullTime();
    void paging_data();
    void paging();
    void nameTypedOnEitherPageCountsAtHandIn_data();
    void nameTypedOnEitherPageCountsAtHandIn();
    void handInWithoutNameIsRefused();
    void handInStopsTheExam();
    void leaveRefusedWhileExamRuns();
    void leaveAfterHandIn();
    void generateAfterHandInAsksForSettings();
    void gradingMarksEverySlotOfThePaper();
    void printingIsOffWhileTheExamRuns();
    void gradingScores_data();
    void gradingScores();
    void nextPaperClearsMarksAndScore();
    void answersCarryTheirBoxesLastChange();
};

void tst_ExamRoom::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void tst_ExamRoom::aRecipeSetsThePaper_data()
{
    QTest::addColumn<Recipe>("recipe");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<int>("questions");
    const RecipeRow tables{.Pick = {18, 0}, .Count = 10};
    const RecipeRow within100{.Range = 100, .Count = 10};
    QTest::newRow("named, enough of each") << Recipe{.Name = QStringLiteral("期中口算 A"), .Rows = {tables, within100}}
                                           << QStringLiteral("期中口算 A") << false << 20;
    QTest::newRow("9加几 twice over") << Recipe{.Rows = {{.Pick = {6, 0}, .Count = 10}, {.Pick = {6, 0}, .Count = 10}}}
                                      << QStringLiteral("组卷") << true << 20;
    QTest::newRow("too short: the lists back") << Recipe{.Rows = {{.Pick = {18, 0}, .Count = 5}}} << QString() << false
                                               << 30;
}

// The recipe ends the preset; its rows, and what a unit is short of, stand
// on the settings panel before the paper is made.
void tst_ExamRoom::aRecipeSetsThePaper()
{
    QFETCH(Recipe, recipe);
    Sitting s;
    s.room.SetPreset({18, 0});
    s.room.SetRecipe(recipe);
    QTEST(s.view.recipeTitle, "title");
    QCOMPARE(s.view.presetTitle, QString());
    QTEST(s.view.recipeRows.contains(QStringLiteral("只有")), "warned");
    HistoryRecorder history;
    s.room.SetAnswerListener(&history);
    s.view.questionIndex = 2;
    s.room.Apply();
    QTEST(static_cast<int>(s.room.Paper().size()), "questions");
    s.room.Start();
    s.handInAs(QStringLiteral("小明"));
    s.room.Grade();
    // The history names the recipe, and takes no unit's 达标 figures for it.
    QFETCH(QString, title);
    QCOMPARE(history.setting.presetName, title.isEmpty() ? QString() : QStringLiteral("组卷：") + title);
    QVERIFY(history.setting.presetId.isEmpty() && !history.setting.targetPerMinute);
}

void tst_ExamRoom::newRoomWaitsForSettings()
{
    Sitting s;
    QVERIFY(!s.room.PaperReady());
    QVERIFY(!s.room.ExamRunning());
    QCOMPARE(s.room.ExamMinutes(), 10);
    QCOMPARE(s.room.RunnerStepInterval(), 1000);
    QVERIFY(s.room.Leave());
}

void tst_ExamRoom::generateBeforeApplyAsksForSettings()
{
    Sitting s;
    s.view.settingsPanel = false;
    s.view.pageOne = true;
    s.view.enabled[ExamButton::Grade] = true;
    s.room.Generate();
    QCOMPARE(s.view.messages, QStringList{QStringLiteral("请先设置考试条件后再出试题！")});
    QVERIFY(s.view.settingsPanel);
    QVERIFY(!s.view.pageOne);
    QVERIFY(!s.view.enabled[ExamButton::Grade]);
    QVERIFY(s.view.slot(0).problem.isEmpty());
    QVERIFY(s.view.cues.isEmpty());
    QVERIFY(!s.view.enabled[ExamButton::Start]);
}

void tst_ExamRoom::applyTakesTimeAndCount_data()
{
    QTest::addColumn<int>("timeIndex");
    QTest::addColumn<int>("questionIndex");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("questions");
    for (int i = 0; i < 6; ++i)
        QTest::addRow("time %d", i) << i << 0 << (i + 1) * 10 << (i + 1) * 1000 << 10;
    for (int q = 0; q < 10; ++q)
        QTest::addRow("count %d", q) << 0 << q << 10 << 1000 << (q + 1) * 10;
}

void tst_ExamRoom::applyTakesTimeAndCount()
{
    QFETCH(int, timeIndex);
    QFETCH(int, questionIndex);
    QFETCH(int, minutes);
    QFETCH(int, interval);
    QFETCH(int, questions);
    Sitting s;
    s.view.timeIndex = timeIndex;
    s.view.questionIndex = questionIndex;
    s.room.Apply();
    QCOMPARE(s.room.ExamMinutes(), minutes);
    QCOMPARE(s.room.RunnerStepInterval(), interval);
    QCOMPARE(s.view.stepInterval, interval);
    QCOMPARE(s.room.QuestionCount(), questions);
    QCOMPARE(s.room.Paper().size(), questions);
    QVERIFY(s.room.PaperReady());
    QVERIFY(!s.view.settingsPanel);
}

void tst_ExamRoom::applyFillsTheFirstSlotsOnly()
{
    Sitting s;
    s.room.Apply();
    QCOMPARE(s.room.QuestionCount(), 10);
    for (int k = 0; k < 10; ++k) {
        QCOMPARE(s.view.slot(k).problem, s.room.Paper().at(k).Text);
        QVERIFY(s.view.slot(k).bordered);
    }
    for (int k = 10; k < ExamRoom::SlotCount; ++k) {
        QVERIFY(s.view.slot(k).problem.isEmpty());
        QVERIFY(!s.view.slot(k).bordered);
        QVERIFY(!s.view.slot(k).markShown);
    }
    QVERIFY(!s.view.pageOne);
    QVERIFY(s.view.notice);
    QCOMPARE(s.view.noticeText, QStringLiteral("出题完成，请单击{考试}开始考试"));
    QCOMPARE(s.view.cues, QStringList{CueNames::Kaoshi()});
    QVERIFY(s.view.enabled[ExamButton::Start]);
    QVERIFY(!s.view.enabled[ExamButton::Grade]);
    QVERIFY(s.view.messages.isEmpty());
}

void tst_ExamRoom::generatingAgainLeavesNothingOfTheFirstPaper()
{
    Sitting s;
    s.view.questionIndex = 9;
    s.room.Apply();
    for (int k = 0; k < ExamRoom::SlotCount; ++k)
        s.view.typeAnswer(k, QStringLiteral("1"));
    s.room.Settings();
    s.view.questionIndex = 0;
    s.room.Apply();
    for (int k = 0; k < 10; ++k) {
        QCOMPARE(s.view.slot(k).problem, s.room.Paper().at(k).Text);
        QVERIFY(s.view.slot(k).answer.isEmpty());
    }
    for (int k = 10; k < ExamRoom::SlotCount; ++k) {
        QVERIFY(s.view.slot(k).problem.isEmpty());
        QVERIFY(s.view.slot(k).answer.isEmpty());
        QVERIFY(!s.view.slot(k).bordered);
    }
}

void tst_ExamRoom::operationSettingReachesThePaper_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QStringList>("signs");
    QTest::addColumn<QStringList>("forbidden");
    QTest::newRow("加减") << 0 << QStringList{QStringLiteral(" + "), QStringLiteral(" - ")}
                        << QStringList{QStringLiteral(" × "), QStringLiteral(" ÷ ")};
    QTest::newRow("乘除") << 1 << QStringList{QStringLiteral(" × "), QStringLiteral(" ÷ ")}
                        << QStringList{QStringLiteral(" + "), QStringLiteral(" - ")};
}

void tst_ExamRoom::operationSettingReachesThePaper()
{
    QFETCH(int, operation);
    QFETCH(QStringList, signs);
    QFETCH(QStringList, forbidden);
    Sitting s;
    s.view.questionIndex = 9;
    s.view.operation = operation;
    s.view.rangeIndex = 3;
    for (int paper = 0; paper < 20; ++paper) {
        s.room.Apply();
        for (int k = 0; k < ExamRoom::SlotCount; ++k) {
            const QString &text = s.view.slot(k).problem;
            QVERIFY2(text.contains(signs[0]) || text.contains(signs[1]), qPrintable(text));
            QVERIFY2(!text.contains(forbidden[0]) && !text.contains(forbidden[1]), qPrintable(text));
        }
    }
}

void tst_ExamRoom::startRunsItsSteps()
{
    Sitting s;
    s.view.questionIndex = 5;
    s.view.timeIndex = 2;
    s.view.operation = 1;
    s.room.Apply();
    s.view.nameOne = QStringLiteral("old");
    s.view.nameTwo = QStringLiteral("old");
    s.view.reviewHint = true;
    s.view.cues.clear();
    s.room.Start();
    QCOMPARE(s.view.cues, QStringList{CueNames::Kaoshi()});
    QVERIFY(!s.view.notice);
    QVERIFY(!s.view.enabled[ExamButton::Generate]);
    QVERIFY(!s.view.enabled[ExamButton::Settings]);
    QVERIFY(!s.view.enabled[ExamButton::Start]);
    QVERIFY(s.view.enabled[ExamButton::HandIn]);
    QVERIFY(!s.room.PaperReady());
    QVERIFY(s.room.ExamRunning());
    QCOMPARE(s.view.runnerLeft, ExamRoom::RunnerStart);
    QCOMPARE(s.view.running, (std::set<ExamTick>{ExamTick::RunnerStep, ExamTick::Countdown, ExamTick::Animation}));
    QVERIFY(s.view.nameOne.isEmpty());
    QVERIFY(s.view.nameTwo.isEmpty());
    QVERIFY(s.view.nextPageButton);
    QVERIFY(s.view.pageOne);
    QVERIFY(!s.view.reviewHint);
    QCOMPARE(s.view.summary, (QStringList{QStringLiteral("30 分钟"), QStringLiteral("60 题"), QStringLiteral("乘除")}));
    QVERIFY(s.view.countdown.isEmpty());
}

void tst_ExamRoom::startRefusedWhileSettingsAreOpen()
{
    Sitting s;
    s.room.Apply();
    s.room.Settings();
    s.room.Start();
    QCOMPARE(s.view.messages, QStringList{QStringLiteral("请先单击设置面板上的{设置}，确定考试条件！")});
    QVERIFY(!s.room.ExamRunning());
    QVERIFY(s.room.PaperReady());
    QVERIFY(s.view.running.empty());
    QVERIFY(s.view.enabled[ExamButton::Start]);
}

void tst_ExamRoom::countdown_data()
{
    QTest::addColumn<int>("timeIndex");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("10 min, 1 s") << 0 << 1 << QStringLiteral("9 分59 秒");
    QTest::newRow("10 min, 59 s") << 0 << 59 << QStringLiteral("9 分1 秒");
    QTest::newRow("10 min, 60 s") << 0 << 60 << QStringLiteral("8 分60 秒");
    QTest::newRow("10 min, 61 s") << 0 << 61 << QStringLiteral("8 分59 秒");
    QTest::newRow("10 min, 599 s") << 0 << 599 << QStringLiteral("0 分1 秒");
    QTest::newRow("10 min, 600 s") << 0 << 600 << QStringLiteral("-1 分60 秒");
    QTest::newRow("60 min, 1 s") << 5 << 1 << QStringLiteral("59 分59 秒");
    QTest::newRow("60 min, 3599 s") << 5 << 3599 << QStringLiteral("0 分1 秒");
}

void tst_ExamRoom::countdown()
{
    QFETCH(int, timeIndex);
    QFETCH(int, seconds);
    QFETCH(QString, text);
    Sitting s;
    s.applyAndStart(0, timeIndex);
    for (int i = 0; i < seconds; ++i)
        s.room.CountdownTick();
    QCOMPARE(s.view.countdown, text);
}

void tst_ExamRoom::timeIsUpAfterSixHundredSteps_data()
{
    QTest::addColumn<int>("timeIndex");
    QTest::newRow("10 minutes") << 0;
    QTest::newRow("60 minutes") << 5;
}

void tst_ExamRoom::timeIsUpAfterSixHundredSteps()
{
    QFETCH(int, timeIndex);
    Sitting s;
    s.applyAndStart(0, timeIndex);
    QCOMPARE(s.room.RunnerStepInterval() * 600, s.room.ExamMinutes() * 60 * 1000);
    s.runSteps(599);
    QCOMPARE(s.view.runnerLeft, ExamRoom::RunnerEnd + 1);
    QVERIFY(s.view.messages.isEmpty());
    QCOMPARE(s.view.running.size(), std::size_t{3});
    s.room.RunnerStep();
    QCOMPARE(s.view.runnerLeft, ExamRoom::RunnerEnd);
    QCOMPARE(s.view.messages, (QStringList{QStringLiteral("考试结束！"), kHandInAdvice}));
    QVERIFY(s.view.running.empty());
    // The time-out hands nothing in.
    QVERIFY(s.room.ExamRunning());
    QVERIFY(s.view.enabled[ExamButton::HandIn]);
    QVERIFY(!s.view.enabled[ExamButton::Grade]);
    QVERIFY(!s.view.enabled[ExamButton::Generate]);
    s.room.RunnerStep();
    QCOMPARE(s.view.runnerLeft, ExamRoom::RunnerEnd);
    QCOMPARE(s.view.messages.size(), 2);
}

void tst_ExamRoom::secondExamAfterTimeOutLastsItsFullTime()
{
    Sitting s;
    s.applyAndStart(0, 0);
    s.runSteps(600);
    QVERIFY(!s.room.Leave());
    s.handInAs(QStringLiteral("小红"));
    s.room.Settings();
    s.view.timeIndex = 5;
    s.room.Apply();
    s.room.Start();
    QCOMPARE(s.view.runnerLeft, ExamRoom::RunnerStart);
    QCOMPARE(s.view.stepInterval, 6000);
    s.view.messages.clear();
    s.runSteps(599);
    QVERIFY(s.view.messages.isEmpty());
    QCOMPARE(s.view.running.size(), std::size_t{3});
    s.room.RunnerStep();
    QCOMPARE(s.view.messages.first(), QStringLiteral("考试结束！"));
}

void tst_ExamRoom::paging_data()
{
    QTest::addColumn<int>("questionIndex");
    QTest::addColumn<bool>("secondPage");
    QTest::newRow("40 questions") << 3 << false;
    QTest::newRow("50 questions") << 4 << false;
    QTest::newRow("60 questions") << 5 << true;
    QTest::newRow("100 questions") << 9 << true;
}

void tst_ExamRoom::paging()
{
    QFETCH(int, questionIndex);
    QFETCH(bool, secondPage);
    Sitting s;
    s.applyAndStart(questionIndex, 0);
    QCOMPARE(s.view.nextPageButton, secondPage);
    s.room.NextPage();
    QCOMPARE(s.view.pageOne, !secondPage);
    QCOMPARE(s.view.pageTwo, secondPage);
    s.room.PreviousPage();
    QVERIFY(s.view.pageOne);
    QVERIFY(!s.view.pageTwo);
}

void tst_ExamRoom::nameTypedOnEitherPageCountsAtHandIn_data()
{
    QTest::addColumn<NameBox>("box");
    QTest::addColumn<QString>("name");
    QTest::newRow("page two, cursor still in the box") << NameBox::PageTwo << QStringLiteral("王小明");
    QTest::newRow("page one") << NameBox::PageOne << QStringLiteral("李华");
    QTest::newRow("spaces only") << NameBox::PageTwo << QStringLiteral("  ");
}

void tst_ExamRoom::nameTypedOnEitherPageCountsAtHandIn()
{
    QFETCH(NameBox, box);
    QFETCH(QString, name);
    Sitting s;
    s.applyAndStart(5, 0);
    QString typed;
    for (const QChar c : name) {
        typed += c;
        s.view.setNameText(box, typed);
        s.room.NameEdited(box, typed);
        QCOMPARE(s.view.nameOne, typed);
        QCOMPARE(s.view.nameTwo, typed);
    }
    s.room.HandIn();
    QVERIFY(!s.room.ExamRunning());
    QCOMPARE(s.view.messages, QStringList{kHandInAdvice});
}

void tst_ExamRoom::handInWithoutNameIsRefused()
{
    Sitting s;
    s.applyAndStart(0, 0);
    s.view.cues.clear();
    s.room.HandIn();
    QCOMPARE(s.view.messages, QStringList{QStringLiteral("你忘记写名字了")});
    QVERIFY(s.room.ExamRunning());
    QCOMPARE(s.view.running.size(), std::size_t{3});
    QVERIFY(s.view.enabled[ExamButton::HandIn]);
    QVERIFY(!s.view.enabled[ExamButton::Grade]);
    QVERIFY(s.view.cues.isEmpty());
}

void tst_ExamRoom::handInStopsTheExam()
{
    Sitting s;
    s.applyAndStart(0, 0);
    s.view.cues.clear();
    s.handInAs(QStringLiteral("小明"));
    QCOMPARE(s.view.cues, QStringList{CueNames::Kaoshi()});
    QVERIFY(!s.view.enabled[ExamButton::HandIn]);
    QVERIFY(s.view.enabled[ExamButton::Grade]);
    QVERIFY(s.view.enabled[ExamButton::Generate]);
    QVERIFY(s.view.enabled[ExamButton::Settings]);
    QVERIFY(!s.view.enabled[ExamButton::Start]);
    QVERIFY(s.view.running.empty());
    QVERIFY(!s.room.ExamRunning());
    QCOMPARE(s.view.messages, QStringList{kHandInAdvice});
}

void tst_ExamRoom::leaveRefusedWhileExamRuns()
{
    Sitting s;
    s.applyAndStart(0, 0);
    s.room.CountdownTick();
    QVERIFY(!s.room.Leave());
    QCOMPARE(s.view.messages, QStringList{QStringLiteral("考试进行中，请先交卷！")});
    QVERIFY(s.view.pageOne);
    QVERIFY(!s.view.settingsPanel);
    QCOMPARE(s.view.countdown, QStringLiteral("9 分59 秒"));
    s.runSteps(600);
    s.view.messages.clear();
    QVERIFY(!s.room.Leave());
    QCOMPARE(s.view.messages, QStringList{QStringLiteral("考试进行中，请先交卷！")});
}

void tst_ExamRoom::leaveAfterHandIn()
{
    Sitting s;
    s.applyAndStart(0, 0);
    s.room.CountdownTick();
    s.handInAs(QStringLiteral("小明"));
    s.view.messages.clear();
    QVERIFY(s.room.Leave());
    QVERIFY(s.view.messages.isEmpty());
    QVERIFY(!s.view.enabled[ExamButton::Grade]);
    QVERIFY(s.view.countdown.isEmpty());
    QVERIFY(s.view.settingsPanel);
    QVERIFY(!s.view.pageOne);
}

void tst_ExamRoom::generateAfterHandInAsksForSettings()
{
    Sitting s;
    s.applyAndStart(0, 0);
    s.handInAs(QStringLiteral("小明"));
    s.view.messages.clear();
    s.room.Generate();
    QCOMPARE(s.view.messages, QStringList{QStringLiteral("请先设置考试条件后再出试题！")});
    QVERIFY(s.view.settingsPanel);
    QVERIFY(!s.view.enabled[ExamButton::Grade]);
}

void tst_ExamRoom::gradingMarksEverySlotOfThePaper()
{
    Sitting s;
    s.applyAndStart(2, 0);
    for (int k = 0; k < 7; ++k)
        s.answer(k, true);
    for (int k = 7; k < 20; ++k)
        s.answer(k, false);
    s.view.typeAnswer(40, QStringLiteral("5"));
    s.handInAs(QStringLiteral("小明"));
    s.view.cues.clear();
    QStringList missed;
    s.room.SetMissListener([&missed](const Problem &problem, const QString &answer) {
        missed << PrintedText(problem) + answer;
    });
    s.room.Grade();
    QCOMPARE(s.view.cues, QStringList{CueNames::Kaoshi()});
    QVERIFY(!s.view.enabled[ExamButton::Grade]);
    QCOMPARE(s.room.ExamRightCount(), 7);
    QCOMPARE(s.room.Score(), qint64(233333));
    QCOMPARE(s.view.score, QStringLiteral("23.3333分"));
    for (int k = 0; k < 30; ++k) {
        QVERIFY(s.view.slot(k).markShown);
        QCOMPARE(s.view.slot(k).mark, k < 7 ? Mark::Tick : Mark::Cross);
        QCOMPARE(s.view.slot(k).hint, QString::number(s.room.Paper().at(k).Answer));
    }
    for (int k = 30; k < ExamRoom::SlotCount; ++k)
        QVERIFY(!s.view.slot(k).markShown);
    QVERIFY(s.view.reviewHint);

    // The wrong and the empty boxes of the paper go to the notebook, as typed.
    QStringList wrong;
    for (int k = 7; k < 30; ++k)
        wrong << s.room.Paper().at(k).Text + s.view.slot(k).answer;
    QCOMPARE(missed, wrong);
}

void tst_ExamRoom::printingIsOffWhileTheExamRuns()
{
    Sitting s;
    QVERIFY(!s.view.enabled[ExamButton::Print]);
    s.view.questionIndex = 1;
    s.room.Apply();
    QVERIFY(s.view.enabled[ExamButton::Print]);
    s.room.Print();
    QCOMPARE(s.view.printed.size(), 1);
    QCOMPARE(s.view.printed.front().size(), 20);
    QCOMPARE(s.view.printed.front().at(19).Text, s.room.Paper().at(19).Text);

    s.room.Start();
    QVERIFY(!s.view.enabled[ExamButton::Print]);
    s.handInAs(QStringLiteral("小明"));
    QVERIFY(s.view.enabled[ExamButton::Print]);
}

void tst_ExamRoom::gradingScores_data()
{
    QTest::addColumn<int>("questionIndex");
    QTest::addColumn<int>("rightCount");
    QTest::addColumn<qint64>("score");
    QTest::newRow("10 of 10") << 0 << 10 << qint64(1000000);
    QTest::newRow("0 of 10") << 0 << 0 << qint64(0);
    QTest::newRow("1 of 30") << 2 << 1 << qint64(33333);
    QTest::newRow("2 of 30") << 2 << 2 << qint64(66667);
    QTest::newRow("1 of 80") << 7 << 1 << qint64(12500);
    QTest::newRow("100 of 100") << 9 << 100 << qint64(1000000);
}

void tst_ExamRoom::gradingScores()
{
    QFETCH(int, questionIndex);
    QFETCH(int, rightCount);
    QFETCH(qint64, score);
    Sitting s;
    s.applyAndStart(questionIndex, 0);
    for (int k = 0; k < rightCount; ++k)
        s.answer(k, true);
    s.handInAs(QStringLiteral("小明"));
    s.room.Grade();
    QCOMPARE(s.room.ExamRightCount(), rightCount);
    QCOMPARE(s.room.Score(), score);
}

void tst_ExamRoom::nextPaperClearsMarksAndScore()
{
    Sitting s;
    s.applyAndStart(0, 0);
    s.answer(0, true);
    s.handInAs(QStringLiteral("小明"));
    s.room.Grade();
    QVERIFY(!s.view.score.isEmpty());
    s.room.Settings();
    s.room.Apply();
    QVERIFY(s.view.score.isEmpty());
    for (int k = 0; k < ExamRoom::SlotCount; ++k) {
        QVERIFY(!s.view.slot(k).markShown);
        QVERIFY(s.view.slot(k).hint.isEmpty());
    }
}

// What reaches the history at 判卷: each box with the time it was last
// changed, and the paper's start, so that an answer's seconds count from it.
void tst_ExamRoom::answersCarryTheirBoxesLastChange()
{
    HistoryRecorder history;
    const QDateTime start(QDate(2026, 12, 9), QTime(9, 0));
    QDateTime now = start;
    Sitting s;
    s.room.SetClock([&now] { return now; });
    s.room.SetAnswerListener(&history);
    s.applyAndStart(0, 0);
    now = start.addSecs(40);
    s.answer(0, true);
    s.room.AnswerTyped(0);
    now = start.addSecs(90);
    s.answer(1, false);
    s.room.AnswerTyped(1);
    now = start.addSecs(100);
    s.answer(1, true);
    s.room.AnswerTyped(1);
    now = start.addSecs(300);
    s.handInAs(QStringLiteral("小明"));
    s.room.Grade();
    QCOMPARE(history.setting.paperStarted, start);
    QCOMPARE(history.answers.size(), 10);
    QCOMPARE(history.answers.at(0).changedAt, start.addSecs(40));
    QCOMPARE(history.answers.at(1).changedAt, start.addSecs(100));
    QVERIFY(!history.answers.at(2).changedAt.isValid());
}

QTEST_GUILESS_MAIN(tst_ExamRoom)
#include "tst_examroom.moc"
