#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QRect>
#include <QString>

class PictureBox;
class QLabel;
class QLineEdit;

// Factories for the exam room's controls: each is named, placed and styled
// in one call, so the window reads as the list of its controls.
namespace ExamControls {

// A single-line label; a height too small for the face grows to fit it.
// StyleLabel does the same to a label made by the caller.
QLabel *StyleLabel(QLabel *label, const QString &name, const QRect &rect, const QString &text, const QColor &color,
                   const QFont &font, Qt::Alignment alignment);
QLabel *MakeLabel(QWidget *parent, const QString &name, const QRect &rect, const QString &text,
                  const QColor &color, const QFont &font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// Names, places and styles a panel made by the caller.
QFrame *StylePanel(QFrame *panel, const QString &name, const QRect &rect, const QColor &background,
                   QFrame::Shadow shadow, int lineWidth);
QFrame *MakePanel(QWidget *parent, const QString &name, const QRect &rect, const QColor &background,
                  QFrame::Shadow shadow, int lineWidth);

QLineEdit *MakeNameBox(QWidget *parent, const QString &name, const QRect &rect);

// The white strip of slot k (0..99) in its page: its row and column.
QRect StripRect(int k);

// The controls of one slot, on its strip; the right answer shows after
// grading beside a crossed answer.
struct SlotControls {
    QLabel *problem;  // a MathLabel, like the correction
    QLineEdit *answer;
    PictureBox *mark;
    QLabel *correction;
};

// Slot k on its page, the controls named after their slot (Label3, Edit1,
// Image1, Label124 for slot 0; Label67, Edit52, Image51, Label174 for slot
// 50). The slot is
// blank: its label and answer box stay hidden until it holds a problem.
SlotControls MakeSlot(QWidget *page, int k);

// Writes a problem into its label, a size smaller where the slot's 13-pixel
// type would cut the widest problems of the largest range off
// ("10000 × 10000="). Fractions stand stacked on the strip's whole height.
void SetProblemText(QLabel *label, const QString &text);

// Border on or off, and the answer's colour.
void SetAnswerLook(QLineEdit *box, bool bordered, const QColor &textColor);

// The right answer in small green type at the right end of a crossed
// answer's box, which narrows to leave it room; an empty text takes it
// away and gives the box its width back. A fraction stands stacked; a screen
// reader hears spokenAnswer ("四分之一").
void ShowCorrection(const SlotControls &slot, const QString &rightAnswer, const QString &spokenAnswer = {});

}  // namespace ExamControls
