#pragma once

#include "widgets/EquationStrip.h"

#include <QPoint>
#include <QString>
#include <array>
#include <functional>

class AnswerBox;
class FractionEntry;
class OperandLabel;
class PictureBox;
class QLineEdit;
class QWidget;

// The row's controls as a window keeps them, under the drill window's names.
struct ProblemRowControls {
    OperandLabel *Label2 = nullptr;  // first operand
    PictureBox *Image9 = nullptr;    // + − × ÷
    PictureBox *Image10 = nullptr;
    PictureBox *Image11 = nullptr;
    PictureBox *Image12 = nullptr;
    OperandLabel *Label3 = nullptr;  // second operand
    PictureBox *Image2 = nullptr;    // =
    QLineEdit *Edit1 = nullptr;      // the answer box
    EquationStrip *Label18 = nullptr;  // a preset's problem: before the answer box
    EquationStrip *Label19 = nullptr;  // and after it
    FractionEntry *Panel6 = nullptr;   // the stacked fraction over the answer box: Edit2, Edit3, Edit4
};

// The problem on show and the box for its answer, in one row as the drill
// window has them: the first operand, its sign (one picture of four, only
// the current one shown), the second operand, the equals sign (hidden until
// the first problem) and the answer box. The controls are made straight on
// the window, with the drill window's names, the row's top-left corner at
// origin.
class ProblemDisplay {
public:
    ProblemDisplay(QWidget *window, QPoint origin);

    const ProblemRowControls &Row() const { return controls_; }
    AnswerBox *Answer() const { return answer_; }

    // The filter every character typed into the answer, stacked or not,
    // goes through.
    void setKeyFilter(const std::function<bool(QChar typed)> &passes);
    // How a typed fraction is said ("四分之三"): the answer box's
    // description is the problem and then the answer as typed.
    void setFractionSpeaker(std::function<QString(const QString &typed)> speaker);

    // The answer as typed, stacked or not. Setting it closes a stacked
    // fraction and gives the answer box the focus again.
    QString answerText() const;
    void setAnswerText(const QString &text);
    void setAnswerReadOnly(bool readOnly);
    // The box a keypad key types into: the answer box, or the part of the
    // stacked fraction the child is in.
    QString typingText() const;
    void setTypingText(const QString &text);
    // The answer box becomes a stacked fraction, whole its whole-number part
    // (empty for none); nothing changes when it is one already.
    void openFraction(const QString &whole);

    // The answer box keeps the focus all through a drill: a screen reader
    // there hears each new problem as the box's description, spoken
    // ("12加7等于").
    void setOperands(const QString &first, const QString &second, const QString &spoken);
    void clearOperands();
    // Sign 0 to 3 is + − × ÷. It comes to the front of the row; the other
    // three hide.
    void showSign(int sign);
    void showEqualsSign();
    // No problem on show: the signs and the equals sign hide too.
    void hideSigns();

    // Any problem, as the pieces before and after its blank: the answer box
    // stands in the blank, narrower when a term is blank (wide is for the
    // answer at the end). The row shrinks its numbers to fit the window.
    // The classic row comes back with the next setOperands.
    void showEquation(const QList<EquationPiece> &before, const QList<EquationPiece> &after, bool wideBlank,
                      const QString &spoken);

private:
    void describeAnswer();

    OperandLabel *first_;
    std::array<PictureBox *, 4> signs_{};
    OperandLabel *second_;
    PictureBox *equals_;
    AnswerBox *answer_;
    EquationStrip *before_;
    EquationStrip *after_;
    FractionEntry *fraction_;
    QPoint origin_;
    ProblemRowControls controls_;
    QString spoken_;
    std::function<QString(const QString &)> speaker_;
};
