#include "kaochang/ExamControls.h"

#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/MathLabel.h"
#include "widgets/MathLineEdit.h"
#include "widgets/MathText.h"
#include "widgets/Palette.h"
#include "widgets/PictureBox.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace ExamControls {
namespace {

constexpr QSize kStripSize{225, 25};
constexpr QRect kAnswerInStrip{104, 3, 89, 19};
constexpr QRect kProblemInStrip{8, 6, 97, 16};
// A stacked fraction takes the strip's whole height.
constexpr QRect kStackedProblemInStrip{8, 0, 97, 25};
constexpr int kCorrectionPixels = 11;
constexpr int kProblemPixels = 13;
constexpr int kSmallestProblemPixels = 10;
// A stacked fraction's digits are set smaller than the line's: the strip's
// height leaves room for the line a size larger.
constexpr int kStackedPixels = 15;

}  // namespace

QLabel *MakeLabel(QWidget *parent, const QString &name, const QRect &rect, const QString &text,
                  const QColor &color, const QFont &font, Qt::Alignment alignment)
{
    return StyleLabel(new QLabel(parent), name, rect, text, color, font, alignment);
}

QLabel *StyleLabel(QLabel *label, const QString &name, const QRect &rect, const QString &text, const QColor &color,
                   const QFont &font, Qt::Alignment alignment)
{
    label->setText(text);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(alignment);
    Controls::SetColor(label, QPalette::WindowText, color);
    const int height = qMax(rect.height(), QFontMetrics(font).height());
    label->setGeometry(rect.x(), rect.y() - (height - rect.height()) / 2, rect.width(), height);
    return label;
}

QFrame *StylePanel(QFrame *panel, const QString &name, const QRect &rect, const QColor &background,
                   QFrame::Shadow shadow, int lineWidth)
{
    panel->setObjectName(name);
    panel->setGeometry(rect);
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(lineWidth);
    panel->setAutoFillBackground(true);
    Controls::SetColor(panel, QPalette::Window, background);
    return panel;
}

QFrame *MakePanel(QWidget *parent, const QString &name, const QRect &rect, const QColor &background,
                  QFrame::Shadow shadow, int lineWidth)
{
    return StylePanel(new QFrame(parent), name, rect, background, shadow, lineWidth);
}

QLineEdit *MakeNameBox(QWidget *parent, const QString &name, const QRect &rect)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(rect);
    box->setFont(Fonts::Ui(12, true));
    box->setAccessibleName(QStringLiteral("考生姓名"));
    return box;
}

QRect StripRect(int k)
{
    const int p = k % 50;
    const int column = p % 3;
    const int row = p / 3;
    return {QPoint(8 + 232 * column, 8 + 24 * row), kStripSize};
}

SlotControls MakeSlot(QWidget *page, int k)
{
    const bool pageOne = k < 50;
    const QPoint strip = StripRect(k).topLeft();

    auto *problem = new MathLabel(page);
    problem->setObjectName(QStringLiteral("Label%1").arg(pageOne ? k + 3 : k + 17));
    problem->setGeometry(kProblemInStrip.translated(strip));
    problem->setFont(Fonts::Ui(kProblemPixels, true));
    problem->setAlignment(Qt::AlignCenter);
    problem->hide();

    // A fraction typed stands stacked once the child has moved on.
    auto *answer = new MathLineEdit(page);
    answer->setObjectName(QStringLiteral("Edit%1").arg(pageOne ? k + 1 : k + 2));
    answer->setGeometry(kAnswerInStrip.translated(strip));
    answer->setFont(Fonts::Ui(12, true));
    SetAnswerLook(answer, false, Palette::Black);
    answer->setFocusPolicy(Qt::NoFocus);
    answer->hide();

    auto *mark = new PictureBox(page);
    mark->setObjectName(QStringLiteral("Image%1").arg(k + 1));
    mark->setGeometry(QRect(strip + QPoint(200, 0), QSize(25, 25)));
    mark->hide();

    auto *correction = new MathLabel(page);
    correction->setObjectName(QStringLiteral("Label%1").arg(k + 124));
    correction->setFont(Fonts::Ui(kCorrectionPixels, true));
    correction->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Controls::SetColor(correction, QPalette::WindowText, Palette::Green);
    correction->hide();

    return {problem, answer, mark, correction};
}

void SetProblemText(QLabel *label, const QString &text)
{
    const MathText math = MathText::Of(text);
    const bool stacked = math.HasFraction();
    const QPoint strip = label->pos() - (label->height() == kStackedProblemInStrip.height()
                                             ? kStackedProblemInStrip.topLeft()
                                             : kProblemInStrip.topLeft());
    const QRect place = (stacked ? kStackedProblemInStrip : kProblemInStrip).translated(strip);
    if (label->geometry() != place)
        label->setGeometry(place);
    QFont font = Fonts::Ui(stacked ? kStackedPixels : kProblemPixels, true);
    if (!stacked) {
        font = Fonts::FittedTo(font, text, label->width(), kSmallestProblemPixels);
    } else {
        while (font.pixelSize() > kSmallestProblemPixels && math.Lay(font, label).width > label->width())
            font.setPixelSize(font.pixelSize() - 1);
    }
    if (label->font() != font)
        label->setFont(font);
    label->setText(text);
}

void SetAnswerLook(QLineEdit *box, bool bordered, const QColor &textColor)
{
    box->setFrame(bordered);
    Controls::SetColor(box, QPalette::Text, textColor);
}

void ShowCorrection(const SlotControls &slot, const QString &rightAnswer, const QString &spokenAnswer)
{
    // Narrowing keeps the box's corner, so its full width is known from there.
    const QRect box(slot.answer->pos(), kAnswerInStrip.size());
    if (rightAnswer.isEmpty()) {
        slot.correction->hide();
        slot.answer->setGeometry(box);
        return;
    }
    const bool stacked = MathText::Of(rightAnswer).HasFraction();
    const QFont font = Fonts::Ui(stacked ? kStackedPixels : kCorrectionPixels, true);
    if (slot.correction->font() != font)
        slot.correction->setFont(font);
    slot.correction->setText(rightAnswer);
    slot.correction->setAccessibleName(QStringLiteral("正确答案 ") + (spokenAnswer.isEmpty() ? rightAnswer : spokenAnswer));
    const int width = static_cast<MathLabel *>(slot.correction)->textWidth() + 4;
    // A stacked fraction stands on the strip's whole height.
    const int grow = stacked ? kAnswerInStrip.y() : 0;
    slot.correction->setGeometry(box.right() + 1 - width, box.y() - grow, width, box.height() + 2 * grow);
    slot.answer->setGeometry(box.adjusted(0, 0, -width - 1, 0));
    slot.correction->show();
}

}  // namespace ExamControls
