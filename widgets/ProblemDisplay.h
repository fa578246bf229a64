#pragma once

#include <QPoint>
#include <array>

class AnswerBox;
class OperandLabel;
class PictureBox;
class QLineEdit;
class QString;
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

private:
    OperandLabel *first_;
    std::array<PictureBox *, 4> signs_{};
    OperandLabel *second_;
    PictureBox *equals_;
    AnswerBox *answer_;
    ProblemRowControls controls_;
};
