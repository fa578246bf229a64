#include "widgets/AnswerFeedback.h"

#include "widgets/AccessiblePicture.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/MathLabel.h"
#include "widgets/Palette.h"
#include "widgets/PictureBox.h"

#include <QLabel>
#include <QTimer>

namespace {

// As large as the card is high, with room for its border.
QFont EquationFont(int cardHeight)
{
    return Fonts::SongTi(cardHeight * 5 / 8, true);
}

}  // namespace

AnswerFeedback::AnswerFeedback(QWidget *window, const Names &names, const QRect &markRect, const QRect &equationRect)
    : QWidget(window)
{
    AccessiblePicture::Install();
    Controls::Place(this, names.frame, markRect);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Both marks are kept drawn, so an answer only shows one of them.
    Right = Controls::MakePicture(this, names.right, rect(), QStringLiteral(":/marks/right.svg"), QStringLiteral("对"));
    Wrong = Controls::MakePicture(this, names.wrong, rect(), QStringLiteral(":/marks/wrong.svg"), QStringLiteral("错"));
    hide();

    // Fractions on it stand stacked, as in the problem.
    Equation = Controls::Place(new MathLabel(window), names.equation, equationRect);
    Equation->setFont(EquationFont(equationRect.height()));
    Equation->setAlignment(Qt::AlignCenter);
    Equation->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A white card with a green rim: drawn by the frame itself, which is
    // quicker than a style sheet between two problems.
    Equation->setFrameStyle(QFrame::Box | QFrame::Plain);
    Equation->setLineWidth(2);
    Equation->setAutoFillBackground(true);
    Controls::SetColor(Equation, QPalette::Window, Palette::White);
    Controls::SetColor(Equation, QPalette::WindowText, QColor(0, 100, 0));
    Equation->hide();

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(ShownMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &QWidget::hide);
}

void AnswerFeedback::ShowRight()
{
    Equation->hide();
    Flash(Right, QStringLiteral("对了"));
}

void AnswerFeedback::ShowWrong(const QString &equation, const QString &spokenEquation)
{
    const QFont fitted = Fonts::FittedTo(EquationFont(Equation->height()), equation, Equation->width() - 16, 12);
    if (Equation->font() != fitted)
        Equation->setFont(fitted);
    Equation->setText(equation);
    Equation->setAccessibleName(QStringLiteral("正确答案 ") + spokenEquation);
    Equation->show();
    Flash(Wrong, QStringLiteral("错了，") + spokenEquation);
}

void AnswerFeedback::Flash(PictureBox *mark, const QString &announcement)
{
    // Hidden and shown again, so two answers alike within the second are
    // each announced.
    hide();
    Right->setVisible(mark == Right);
    Wrong->setVisible(mark == Wrong);
    setAccessibleName(announcement);
    show();
    Timer1->start();
}

void AnswerFeedback::Clear()
{
    Timer1->stop();
    hide();
    Equation->hide();
}
