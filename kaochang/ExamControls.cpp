#include "kaochang/ExamControls.h"

#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PictureBox.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace ExamControls {
namespace {

constexpr QSize kStripSize{225, 25};
constexpr int kProblemPixels = 13;
constexpr int kSmallestProblemPixels = 10;

}  // namespace

QLabel *MakeLabel(QWidget *parent, const QString &name, const QRect &rect, const QString &text,
                  const QColor &color, const QFont &font, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(alignment);
    Controls::SetColor(label, QPalette::WindowText, color);
    const int height = qMax(rect.height(), QFontMetrics(font).height());
    label->setGeometry(rect.x(), rect.y() - (height - rect.height()) / 2, rect.width(), height);
    return label;
}

QFrame *MakePanel(QWidget *parent, const QString &name, const QRect &rect, const QColor &background,
                  QFrame::Shadow shadow, int lineWidth)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(rect);
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(lineWidth);
    panel->setAutoFillBackground(true);
    Controls::SetColor(panel, QPalette::Window, background);
    return panel;
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

SlotControls MakeSlot(QWidget *page, int k)
{
    const int p = k % 50;
    const int column = p % 3;
    const int row = p / 3;
    const bool pageOne = k < 50;

    auto *strip = new QWidget(page);
    strip->setObjectName(QStringLiteral("Slot%1").arg(k));
    strip->setGeometry(QRect(QPoint(8 + 232 * column, 8 + 24 * row), kStripSize));
    strip->setAutoFillBackground(true);
    Controls::SetColor(strip, QPalette::Window, Palette::White);

    auto *problem = new QLabel(strip);
    problem->setObjectName(QStringLiteral("Label%1").arg(pageOne ? k + 3 : k + 17));
    problem->setGeometry(8, 6, 97, 16);
    problem->setFont(Fonts::Ui(kProblemPixels, true));
    problem->setAlignment(Qt::AlignCenter);

    auto *answer = new QLineEdit(strip);
    answer->setObjectName(QStringLiteral("Edit%1").arg(pageOne ? k + 1 : k + 2));
    answer->setGeometry(104, 3, 89, 19);
    answer->setFont(Fonts::Ui(12, true));
    answer->setAccessibleName(QStringLiteral("第%1题答案").arg(k + 1));
    SetAnswerLook(answer, false, Palette::Black);

    auto *mark = new PictureBox(strip);
    mark->setObjectName(QStringLiteral("Image%1").arg(k + 1));
    mark->setGeometry(200, 0, 25, 25);
    mark->hide();

    return {problem, answer, mark};
}

void SetProblemText(QLabel *label, const QString &text)
{
    const QFont font = Fonts::FittedTo(Fonts::Ui(kProblemPixels, true), text, label->width(), kSmallestProblemPixels);
    if (label->font() != font)
        label->setFont(font);
    label->setText(text);
}

void SetAnswerLook(QLineEdit *box, bool bordered, const QColor &textColor)
{
    box->setFrame(bordered);
    Controls::SetColor(box, QPalette::Text, textColor);
}

}  // namespace ExamControls
