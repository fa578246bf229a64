#pragma once

#include "arithmetic/AnswerValue.h"
#include "arithmetic/ProblemTexts.h"
#include "lianxi/DrillView.h"

#include <QString>
#include <QStringList>

// The drill window's state as plain fields, with every message, cue and
// closing recorded.
class FakeDrillView : public DrillView {
public:
    QString title = QStringLiteral("口算练习篇");
    std::int32_t range = 10;
    OperationChoice operation = OperationChoice::AddSubtract;
    bool firstItemsSelected = false;

    QString first;
    QString second;
    int shownSign = 0;  // operator code of the visible sign, 0 for none
    bool equalsShown = false;
    QString answer;
    bool answerReadOnly = true;
    bool confirmEnabled = false;
    bool bottomButtonsEnabled = true;
    bool timeUpShown = false;
    bool panelShown = false;
    QStringList resultValues;  // total, right, wrong, score
    QStringList resultPace;    // time, speed, verdict
    QString presetTitle;
    AnswerKind presetKind{};
    QString hint;  // the line by the answer box
    QString shownProblem;      // a preset's problem, as a paper prints it
    int rightRowsShown = 0;
    int wrongRowsShown = 0;
    int listResets = 0;

    int left = 672;
    bool runnerShown = false;
    bool animationTimerOn = false;
    bool clockTimerOn = false;
    int timerStarts = 0;
    int stars = 0;
    QStringList celebrations;

    QStringList cues;
    QStringList messages;
    QStringList errors;
    bool onTop = false;
    int minimised = 0;
    bool closed = false;

    QString drillTitle() const override { return title; }
    std::int32_t rangeBound() const override { return range; }
    OperationChoice operationChoice() const override { return operation; }
    void selectFirstItems() override
    {
        firstItemsSelected = true;
        range = 10;
        operation = OperationChoice::AddSubtract;
    }
    void setOperands(const QString &a, const QString &b, const QString &) override
    {
        first = a;
        second = b;
    }
    void clearOperands() override
    {
        first.clear();
        second.clear();
    }
    void showOperatorSign(Operator op) override { shownSign = static_cast<int>(op); }
    void showEqualsSign() override { equalsShown = true; }
    void showProblem(const Problem &problem) override { shownProblem = PrintedText(problem); }
    void showPreset(const QString &title, AnswerKind kind) override
    {
        presetTitle = title;
        presetKind = kind;
    }
    QString answerText() const override { return answer; }
    void setAnswerText(const QString &text) override { answer = text; }
    // The stacked fraction is driven through the real window.
    QString typingText() const override { return answer; }
    void setTypingText(const QString &text) override { answer = text; }
    void openFraction(const QString &) override {}
    void showAnswerHint(const QString &text) override { hint = text; }
    void setAnswerReadOnly(bool readOnly) override { answerReadOnly = readOnly; }
    void setConfirmEnabled(bool enabled) override { confirmEnabled = enabled; }
    void setBottomButtonsEnabled(bool enabled) override { bottomButtonsEnabled = enabled; }
    // What encourages the child is looked at through the real window.
    void showRightFeedback() override {}
    void showWrongFeedback(const QString &, const QString &) override {}
    void clearFeedback() override {}
    void celebrate() override {}
    void celebrateStandard(const QString &text) override { celebrations.append(text); }
    void setStarCount(int count) override { stars = count; }
    void setCompetitionProgress(const QString &, const QString &) override {}
    void setTimeUpMessageVisible(bool visible) override { timeUpShown = visible; }
    void setResultPanelVisible(bool visible) override { panelShown = visible; }
    void setResultValues(const QString &total, const QString &right, const QString &wrong,
                         const QString &score) override
    {
        resultValues = {total, right, wrong, score};
    }
    void setResultPace(const QString &time, const QString &speed, const QString &verdict) override
    {
        resultPace = {time, speed, verdict};
    }
    void answerListGrew(AnswerList list) override { ++(list == AnswerList::Right ? rightRowsShown : wrongRowsShown); }
    void answerListsEmptied() override
    {
        rightRowsShown = 0;
        wrongRowsShown = 0;
        ++listResets;
    }
    int runnerLeft() const override { return left; }
    void setRunnerLeft(int value) override { left = value; }
    void animateRunner() override { runnerShown = true; }
    void hideRunner() override { runnerShown = false; }
    void startTimers() override
    {
        // A timer already on keeps running: only the ones off are started.
        timerStarts += int(!animationTimerOn) + int(!clockTimerOn);
        animationTimerOn = true;
        clockTimerOn = true;
    }
    void stopTimers() override
    {
        animationTimerOn = false;
        clockTimerOn = false;
    }
    void playCue(const QString &relativePath) override { cues << relativePath; }
    void showMessage(const QString &text) override { messages << text; }
    void showError(const QString &text) override { errors << text; }
    void setStaysOnTop(bool value) override { onTop = value; }
    void minimiseApplication() override { ++minimised; }
    void closeWindow() override { closed = true; }
};
