#include "widgets/ProblemDisplay.h"

#include "widgets/AnswerBox.h"
#include "widgets/Controls.h"
#include "widgets/FractionEntry.h"
#include "widgets/Fonts.h"
#include "widgets/OperandLabel.h"
#include "widgets/Palette.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <algorithm>


namespace {

// Within the row.
constexpr QRect kFirstRect{0, 4, 169, 73};
constexpr QRect kSignRect{184, 20, 36, 36};
constexpr QRect kSecondRect{232, 4, 169, 65};
constexpr QRect kEqualsRect{416, 20, 36, 36};
constexpr QRect kAnswerRect{464, 0, 225, 70};
// A preset's row: from the row's left to the window's right margin.
constexpr int kEquationWidth = 704;
constexpr int kStripHeight = 76;
constexpr int kNarrowBlank = 130;
constexpr int kGap = 8;
constexpr int kSmallestPixels = 40;

// Both operands line up with the middle of the signs between them.
OperandLabel *MakeOperand(QWidget *window, const char *name, const QRect &rect, QPoint origin)
{
    auto *label = Controls::Make<OperandLabel>(window, name, rect.translated(origin));
    label->setFont(Fonts::SongTi(64, true));
    label->setDigitsMiddle(kSignRect.y() + kSignRect.height() / 2 - rect.y());
    Controls::SetColor(label, QPalette::WindowText, Palette::Blue);
    return label;
}

}  // namespace

ProblemDisplay::ProblemDisplay(QWidget *window, QPoint origin) : origin_(origin)
{
    first_ = MakeOperand(window, "Label2", kFirstRect, origin);
    const QRect signRect = kSignRect.translated(origin);
    signs_ = {Controls::MakePicture(window, "Image9", signRect, QStringLiteral(":/signs/plus.svg"),
                                    QStringLiteral("加号")),
              Controls::MakePicture(window, "Image10", signRect, QStringLiteral(":/signs/minus.svg"),
                                    QStringLiteral("减号")),
              Controls::MakePicture(window, "Image11", signRect, QStringLiteral(":/signs/times.svg"),
                                    QStringLiteral("乘号")),
              Controls::MakePicture(window, "Image12", signRect, QStringLiteral(":/signs/divide.svg"),
                                    QStringLiteral("除号"))};
    second_ = MakeOperand(window, "Label3", kSecondRect, origin);
    equals_ = Controls::MakePicture(window, "Image2", kEqualsRect.translated(origin),
                                    QStringLiteral(":/signs/equals.svg"), QStringLiteral("等号"));
    hideSigns();
    answer_ = Controls::Make<AnswerBox>(window, "Edit1", kAnswerRect.translated(origin));
    answer_->setAccessibleName(QStringLiteral("答案"));
    before_ = Controls::Make<EquationStrip>(window, "Label18", QRect(origin, QSize(0, kStripHeight)));
    after_ = Controls::Make<EquationStrip>(window, "Label19", QRect(origin, QSize(0, kStripHeight)));
    before_->hide();
    after_->hide();
    fraction_ = new FractionEntry(window, "Panel6", {"Edit2", "Edit3", "Edit4"});
    QObject::connect(fraction_, &FractionEntry::textChanged, fraction_, [this] { describeAnswer(); });
    controls_ = {first_, signs_[0], signs_[1], signs_[2], signs_[3], second_, equals_, answer_, before_, after_, fraction_};
}

void ProblemDisplay::setKeyFilter(const std::function<bool(QChar typed)> &passes)
{
    answer_->setKeyFilter(passes);
    fraction_->setKeyFilter(passes);
}

void ProblemDisplay::setFractionSpeaker(std::function<QString(const QString &typed)> speaker)
{
    speaker_ = std::move(speaker);
}

QString ProblemDisplay::answerText() const
{
    return fraction_->IsOpen() ? fraction_->Text() : answer_->text();
}

void ProblemDisplay::setAnswerText(const QString &text)
{
    if (fraction_->IsOpen()) {
        const bool hadFocus = fraction_->isAncestorOf(QApplication::focusWidget());
        fraction_->Close();
        if (hadFocus)
            answer_->setFocus(Qt::OtherFocusReason);
        describeAnswer();
    }
    answer_->setText(text);
}

void ProblemDisplay::setAnswerReadOnly(bool readOnly)
{
    answer_->setReadOnly(readOnly);
    fraction_->setReadOnly(readOnly);
}

QString ProblemDisplay::typingText() const
{
    return fraction_->IsOpen() ? fraction_->PartText() : answer_->text();
}

void ProblemDisplay::setTypingText(const QString &text)
{
    if (fraction_->IsOpen())
        fraction_->setPartText(text);
    else
        answer_->setText(text);
}

void ProblemDisplay::openFraction(const QString &whole)
{
    if (fraction_->IsOpen())
        return;
    answer_->clear();
    fraction_->Open(answer_->geometry(), whole);
    describeAnswer();
}

// A screen reader hears the problem, then the fraction as it is said; each
// part of the fraction says the whole of it too.
void ProblemDisplay::describeAnswer()
{
    const QString typed = fraction_->IsOpen() && speaker_ ? speaker_(fraction_->Text()) : QString();
    answer_->setAccessibleDescription(spoken_ + typed);
    for (const FractionEntry::Part part :
         {FractionEntry::Part::Whole, FractionEntry::Part::Numerator, FractionEntry::Part::Denominator})
        fraction_->Box(part)->setAccessibleDescription(typed);
}

void ProblemDisplay::showEquation(const QList<EquationPiece> &before, const QList<EquationPiece> &after,
                                  bool wideBlank, const QString &spoken)
{
    hideSigns();
    first_->clear();
    second_->clear();
    const int blank = wideBlank ? kAnswerRect.width() : kNarrowBlank;
    int pixels = 64;
    for (;; pixels -= 4) {
        before_->setPieces(before, pixels);
        after_->setPieces(after, pixels);
        const int width = before_->naturalWidth() + blank + after_->naturalWidth() + 2 * kGap;
        if (width <= kEquationWidth || pixels <= kSmallestPixels)
            break;
    }
    // Centred between the lists on the left and the window's right edge.
    const int width = before_->naturalWidth() + blank + after_->naturalWidth() + 2 * kGap;
    int x = origin_.x() + kGap + std::max(0, (kEquationWidth - kGap - width) / 2);
    // Stacked fractions reach above and below the row, its middle where it was.
    const int height = std::max({kStripHeight, before_->naturalHeight(), after_->naturalHeight()});
    const int top = origin_.y() - (height - kStripHeight) / 2;
    before_->setGeometry(x, top, before_->naturalWidth(), height);
    x += before_->naturalWidth() + kGap;
    answer_->setGeometry(x, origin_.y() + kAnswerRect.y(), blank, kAnswerRect.height());
    x += blank + kGap;
    after_->setGeometry(x, top, after_->naturalWidth(), height);
    before_->setAccessibleName(spoken);
    after_->setAccessibleName(spoken);
    before_->setVisible(!before.isEmpty());
    after_->setVisible(!after.isEmpty());
    spoken_ = spoken;
    answer_->setAccessibleDescription(spoken);
}

void ProblemDisplay::setOperands(const QString &first, const QString &second, const QString &spoken)
{
    before_->hide();
    after_->hide();
    answer_->setGeometry(kAnswerRect.translated(origin_));
    first_->setText(first);
    second_->setText(second);
    spoken_ = spoken;
    answer_->setAccessibleDescription(spoken);
}

void ProblemDisplay::clearOperands()
{
    first_->clear();
    second_->clear();
    before_->setPieces({}, 64);
    after_->setPieces({}, 64);
    spoken_.clear();
    answer_->setAccessibleDescription(QString());
}

void ProblemDisplay::showSign(int sign)
{
    PictureBox *shown = signs_.at(static_cast<std::size_t>(sign));
    shown->stackUnder(answer_);
    shown->show();
    for (PictureBox *other : signs_) {
        if (other != shown)
            other->hide();
    }
}

void ProblemDisplay::showEqualsSign()
{
    equals_->show();
}

void ProblemDisplay::hideSigns()
{
    for (PictureBox *picture : {signs_[0], signs_[1], signs_[2], signs_[3], equals_})
        picture->hide();
}
