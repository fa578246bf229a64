#pragma once

#include "arithmetic/ProblemGenerator.h"

struct Problem;
enum class AnswerKind : std::uint8_t;

#include <cstdint>

class QString;

enum class AnswerList { Right, Wrong };

// What the drill's logic needs from its window.
class DrillView {
public:
    virtual ~DrillView() = default;

    // The window's title: it tells practice from competition.
    virtual QString drillTitle() const = 0;

    // The selected items of the range and operation lists.
    virtual std::int32_t rangeBound() const = 0;
    virtual OperationChoice operationChoice() const = 0;
    virtual void selectFirstItems() = 0;

    // spoken is the problem as a screen reader says it ("12加7等于").
    virtual void setOperands(const QString &first, const QString &second, const QString &spoken) = 0;
    virtual void clearOperands() = 0;
    // Shows and raises the sign of op and hides the other three.
    virtual void showOperatorSign(Operator op) = 0;
    virtual void showEqualsSign() = 0;
    // A preset's problem in the row, the answer box in its blank.
    virtual void showProblem(const Problem &problem) = 0;
    // The preset's name beside the disabled lists ("课本同步：…") and the key
    // its answers need: "余" for remainders, "." for decimals and percents,
    // "分数" for fractions; an empty title is free practice, with the lists
    // on and no such key.
    virtual void showPreset(const QString &title, AnswerKind kind) = 0;

    // The whole answer as typed, a stacked fraction's as "1 3/4". Setting it
    // turns a stacked fraction back into the plain box.
    virtual QString answerText() const = 0;
    virtual void setAnswerText(const QString &text) = 0;
    // The box a keypad key types into: the answer box, or the part of the
    // stacked fraction the child is in.
    virtual QString typingText() const = 0;
    virtual void setTypingText(const QString &text) = 0;
    // "分数": the answer box becomes a stacked fraction with whole as its
    // whole-number part (none when empty); the numerator takes the focus.
    virtual void openFraction(const QString &whole) = 0;
    // The line by the answer box: how an answer of this kind is written, or
    // "要约分"; empty hides it.
    virtual void showAnswerHint(const QString &text) = 0;
    virtual void setAnswerReadOnly(bool readOnly) = 0;
    virtual void setConfirmEnabled(bool enabled) = 0;
    // "开始", "查看", "保存" and "离开".
    virtual void setBottomButtonsEnabled(bool enabled) = 0;

    // After each answer: a ✓ for about a second, or a ✗ with the right
    // equation under the problem row until the next answer is checked.
    virtual void showRightFeedback() = 0;
    virtual void showWrongFeedback(const QString &equation, const QString &spokenEquation) = 0;
    virtual void clearFeedback() = 0;
    // Ten right in a row: stars rise over the problem row, and the visit's
    // count of stars beside the track grows.
    virtual void celebrate() = 0;
    virtual void setStarCount(int stars) = 0;
    // While the competition runs, beside the track: "还剩 7:31", "答对 12 道";
    // empty texts hide them.
    virtual void setCompetitionProgress(const QString &timeLeft, const QString &rightSoFar) = 0;

    virtual void setTimeUpMessageVisible(bool visible) = 0;
    virtual void setResultPanelVisible(bool visible) = 0;
    virtual void setResultValues(const QString &total, const QString &right, const QString &wrong,
                                 const QString &score) = 0;
    // 用时, 速度 and, with a preset, the 达标 sentence (empty otherwise).
    virtual void setResultPace(const QString &time, const QString &speed, const QString &verdict) = 0;
    // A preset's 达标 reached: a celebration over the window saying so.
    virtual void celebrateStandard(const QString &text) = 0;
    // The result panel's lists show the tally's lines as they grow.
    virtual void answerListGrew(AnswerList list) = 0;
    virtual void answerListsEmptied() = 0;

    // The runner: its left edge, its next frame, all its frames hidden.
    virtual int runnerLeft() const = 0;
    virtual void setRunnerLeft(int left) = 0;
    virtual void animateRunner() = 0;
    virtual void hideRunner() = 0;

    // Switches on whichever of the animation and clock timers is off; one
    // already on keeps its rhythm.
    virtual void startTimers() = 0;
    virtual void stopTimers() = 0;

    virtual void playCue(const QString &relativePath) = 0;
    virtual void showMessage(const QString &text) = 0;
    virtual void showError(const QString &text) = 0;
    virtual void setStaysOnTop(bool onTop) = 0;
    virtual void minimiseApplication() = 0;
    virtual void closeWindow() = 0;
};
