#include "widgets/FractionEntry.h"

#include "widgets/AnswerBox.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"

#include <QKeyEvent>
#include <QPainter>
#include <utility>

namespace {

constexpr int kPartHeight = 40;
constexpr int kBarRoom = 8;
constexpr int kMargin = 3;
constexpr int kDigitWidth = 22;

}  // namespace

FractionEntry::FractionEntry(QWidget *window, const char *name, std::array<const char *, 3> boxNames)
    : QWidget(window)
{
    setObjectName(QLatin1String(name));
    setAccessibleName(QStringLiteral("分数"));
    setAutoFillBackground(true);
    setPalette(QPalette(Palette::White));
    const std::array<QString, 3> spoken{QStringLiteral("带分数的整数部分"), QStringLiteral("分子"),
                                        QStringLiteral("分母")};
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
        auto *box = new AnswerBox(this);
        box->setObjectName(QLatin1String(boxNames.at(k)));
        box->setAccessibleName(spoken.at(k));
        box->setFont(Fonts::SongTi(k == 0 ? 56 : 34, true));
        box->setAlignment(Qt::AlignCenter);
        box->setReadOnly(false);
        box->setStyleSheet(QStringLiteral("QLineEdit { color: #000080; background: white; border: 1px dotted #8080c0; }"));
        box->installEventFilter(this);
        const auto part = static_cast<Part>(k);
        box->setKeyFilter([this, part](QChar typed) {
            if (part == Part::Numerator && (typed == u'/' || typed == u'／')) {
                Focus(Part::Denominator);
                return false;
            }
            return passes_ && passes_(typed);
        });
        connect(box, &QLineEdit::textChanged, this, &FractionEntry::textChanged);
        boxes_.at(k) = box;
    }
    hide();
}

void FractionEntry::setKeyFilter(std::function<bool(QChar typed)> passes)
{
    passes_ = std::move(passes);
}

void FractionEntry::Open(const QRect &answerBox, const QString &whole)
{
    const int height = 2 * kPartHeight + kBarRoom + 2 * kMargin;
    setGeometry(answerBox.x(), answerBox.center().y() - height / 2 + 1, answerBox.width(), std::max(height, answerBox.height()));
    const int wholeWidth = whole.isEmpty() ? 0 : kDigitWidth * 2 * static_cast<int>(whole.size()) + 2 * kMargin;
    const int left = kMargin + wholeWidth;
    const int width = this->width() - left - kMargin;
    Box(Part::Whole)->setGeometry(kMargin, kMargin, wholeWidth, this->height() - 2 * kMargin);
    Box(Part::Whole)->setVisible(!whole.isEmpty());
    Box(Part::Numerator)->setGeometry(left, kMargin, width, kPartHeight);
    Box(Part::Denominator)->setGeometry(left, this->height() - kMargin - kPartHeight, width, kPartHeight);
    for (AnswerBox *box : boxes_)
        box->clear();
    Box(Part::Whole)->setText(whole);
    show();
    Focus(Part::Numerator);
}

void FractionEntry::Close()
{
    hide();
    for (AnswerBox *box : boxes_)
        box->clear();
}

QString FractionEntry::Text() const
{
    const QString whole = Box(Part::Whole)->text();
    const QString numerator = Box(Part::Numerator)->text();
    const QString denominator = Box(Part::Denominator)->text();
    if (numerator.isEmpty() && denominator.isEmpty())
        return whole;
    return (whole.isEmpty() ? QString() : whole + u' ') + numerator + u'/' + denominator;
}

QString FractionEntry::PartText() const
{
    return Box(current_)->text();
}

void FractionEntry::setPartText(const QString &text)
{
    Box(current_)->setText(text);
}

void FractionEntry::setReadOnly(bool readOnly)
{
    for (AnswerBox *box : boxes_)
        box->setReadOnly(readOnly);
}

void FractionEntry::Focus(Part part)
{
    current_ = part;
    Box(part)->setFocus(Qt::OtherFocusReason);
}

void FractionEntry::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Palette::Navy, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect numerator = Box(Part::Numerator)->geometry();
    const int y = (numerator.bottom() + Box(Part::Denominator)->geometry().top()) / 2;
    painter.setPen(QPen(Palette::Navy, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(numerator.left() + kMargin, y, numerator.right() - kMargin, y);
}

bool FractionEntry::eventFilter(QObject *watched, QEvent *event)
{
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
        if (watched != boxes_.at(k))
            continue;
        if (event->type() == QEvent::FocusIn)
            current_ = static_cast<Part>(k);
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Down && static_cast<Part>(k) == Part::Numerator) {
            Focus(Part::Denominator);
            return true;
        }
        if (key == Qt::Key_Up && static_cast<Part>(k) == Part::Denominator) {
            Focus(Part::Numerator);
            return true;
        }
    }
    return false;
}
