#pragma once

#include <QWidget>

class PictureBox;
class QLabel;
class QTimer;

// What a child sees and a screen reader hears after each answer: a large
// green ✓ or red ✗ at markRect for about a second, and after a wrong answer
// the whole right equation on a white card at equationRect, until the next
// answer is checked. Neither takes the mouse nor the focus, so the next
// problem is answered at once; both stay in the window's stacking order as
// made, so a panel made later covers them.
//
// The mark's frame is a notification region: each answer shows it afresh
// named with what a screen reader says ("对了", "错了，4加5等于9"), which the
// accessibility bus reports as a notification coming into sight.
class AnswerFeedback : public QWidget {
    Q_OBJECT

public:
    static constexpr int ShownMilliseconds = 1000;

    // Named as the window numbers its controls, each name once in the
    // window: the mark's frame (a panel), its two pictures and the
    // equation's label.
    struct Names {
        const char *frame;
        const char *right;
        const char *wrong;
        const char *equation;
    };

    AnswerFeedback(QWidget *window, const Names &names, const QRect &markRect, const QRect &equationRect);

    void ShowRight();
    // equation is written under the problem ("4+5=9"), spokenEquation read
    // after "错了，" ("4加5等于9").
    void ShowWrong(const QString &equation, const QString &spokenEquation);
    // A new drill, or none: nothing of the last answer stays.
    void Clear();

    PictureBox *Right;  // ✓
    PictureBox *Wrong;  // ✗
    QLabel *Equation;    // the right equation, on the window, its fractions stacked
    QTimer *Timer1;      // hides the mark

private:
    void Flash(PictureBox *mark, const QString &announcement);
};
