#pragma once

#include "arithmetic/Problem.h"

#include <QList>

class QString;
enum class AnswerKind : std::uint8_t;

// What the 错题本 window's logic needs from its window: the due count, the
// lists (which follow the notebook), and the review drill's problem, answer
// box and keys, which behave as the drill window's do.
class ReviewView {
public:
    virtual ~ReviewView() = default;

    // The line that says how many problems are due today.
    virtual void setDueText(const QString &text) = 0;
    // The notebook's entries changed: the lists show them afresh.
    virtual void entriesChanged() = 0;

    // spoken is the problem as a screen reader says it ("12加7等于").
    virtual void setOperands(const QString &first, const QString &second, const QString &spoken) = 0;
    virtual void clearOperands() = 0;
    // Shows the sign of op and hides the other three.
    virtual void showOperatorSign(Operator op) = 0;
    virtual void showEqualsSign() = 0;
    // The review is over: no sign shows without its operands.
    virtual void hideSigns() = 0;

    // The whole answer as typed, a stacked fraction's as "1 3/4". Setting it
    // turns a stacked fraction back into the plain box.
    virtual QString answerText() const = 0;
    virtual void setAnswerText(const QString &text) = 0;
    // The box a keypad key types into: the answer box, or the part of the
    // stacked fraction the child is in.
    virtual QString typingText() const = 0;
    virtual void setTypingText(const QString &text) = 0;
    // "分数": the answer box becomes a stacked fraction with whole as its
    // whole-number part (none when empty).
    virtual void openFraction(const QString &whole) = 0;
    // The line by the answer box: how an answer of this kind is written;
    // empty hides it.
    virtual void showAnswerHint(const QString &text) = 0;
    virtual void setAnswerReadOnly(bool readOnly) = 0;
    virtual void setConfirmEnabled(bool enabled) = 0;

    // After each answer, as in the drill: a ✓, or a ✗ with the right
    // equation under the problem row until the next answer.
    virtual void showRightFeedback() = 0;
    virtual void showWrongFeedback(const QString &equation, const QString &spokenEquation) = 0;
    virtual void clearFeedback() = 0;
    // Ten right in a row: stars over the problem row and the review's count.
    virtual void celebrate() = 0;
    virtual void setStarCount(int stars) = 0;
    // A problem has just moved to 已消灭: a star over that list.
    virtual void celebrateConquest() = 0;
    // Every due problem answered: a celebration over the whole window.
    virtual void celebrateFinish(const QString &text) = 0;

    // Runs the session's Save() soon, once the next problem is on screen
    // (a zero-length timer).
    virtual void saveSoon() = 0;
    // Runs it again in a moment: another copy of the program held the lock.
    virtual void saveLater() = 0;

    virtual void playCue(const QString &relativePath) = 0;
    virtual void showMessage(const QString &text) = 0;
    virtual void showError(const QString &text) = 0;
    // Prints the problems, then their answers, where the user chooses; a
    // failure goes to the error box.
    virtual void printProblems(const QList<Problem> &problems) = 0;
    // A problem of another form than a ∘ b, the answer box in its blank.
    virtual void showProblem(const Problem &problem) = 0;
    // The key the problem's answer needs: "余" for 商 and 余数, "." for a
    // decimal or percent, "分数" for a fraction; none for a whole number.
    virtual void showAnswerKey(AnswerKind kind) = 0;
    virtual void closeWindow() = 0;
};
