#pragma once

#include <QPoint>
#include <array>

class AnswerBox;
class OperandLabel;
class PictureBox;
class QString;
class QWidget;

// The problem on show and the box for its answer, in one row as the drill
// window has them: the first operand, its sign (one picture of four, only
// the current one shown), the second operand, the equals sign (hidden until
// the first problem) and the answer box. The controls are made straight on
// the window, with the drill window's names (Label2, Image9 to Image12 for
// + − × ÷, Label3, Image2, Edit1), the row's top-left corner at origin.
class ProblemDisplay {
public:
    ProblemDisplay(QWidget *window, QPoint origin);

    OperandLabel *FirstOperand() const { return first_; }
    PictureBox *Sign(int sign) const { return signs_.at(static_cast<std::size_t>(sign)); }
    OperandLabel *SecondOperand() const { return second_; }
    PictureBox *EqualsSign() const { return equals_; }
    AnswerBox *Answer() const { return answer_; }

    void setOperands(const QString &first, const QString &second);
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
};
