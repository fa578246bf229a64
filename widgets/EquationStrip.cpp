#include "widgets/EquationStrip.h"

#include "widgets/Fonts.h"
#include "widgets/MathText.h"
#include "widgets/Palette.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace {

// The classic row's proportions: 36-pixel signs beside 64-pixel digits,
// with 12 pixels either side.
constexpr int kClassicPixels = 64;
constexpr int kClassicSign = 36;
constexpr int kClassicGap = 12;

}  // namespace

EquationStrip::EquationStrip(QWidget *parent) : QWidget(parent)
{
    const std::array<const char *, 5> names{"plus", "minus", "times", "divide", "equals"};
    for (std::size_t i = 0; i < names.size(); ++i)
        signs_[i].SetResource(QStringLiteral(":/signs/%1.svg").arg(QLatin1String(names[i])));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void EquationStrip::setPieces(const QList<EquationPiece> &pieces, int pixels)
{
    pieces_ = pieces;
    pixels_ = pixels;
    update();
}

int EquationStrip::SignSide() const
{
    return kClassicSign * pixels_ / kClassicPixels;
}

int EquationStrip::naturalWidth() const
{
    const QFont face = Fonts::SongTi(pixels_, true);
    const QFontMetrics metrics(face);
    const int gap = kClassicGap * pixels_ / kClassicPixels;
    int width = 0;
    for (const EquationPiece &piece : pieces_) {
        if (piece.sign != EquationPiece::Sign::None) {
            width += SignSide() + 2 * gap;
            continue;
        }
        const MathText math = MathText::Of(piece.text);
        width += math.HasFraction() ? qCeil(math.Lay(face, this).width)
                                    : metrics.horizontalAdvance(piece.text);
    }
    return width;
}

int EquationStrip::naturalHeight() const
{
    const QFont face = Fonts::SongTi(pixels_, true);
    const qreal middle = QFontMetricsF(face).capHeight() / 2;  // above the baseline
    qreal reach = 0;  // from the middle, up or down
    for (const EquationPiece &piece : pieces_) {
        const MathText math = MathText::Of(piece.text);
        if (!math.HasFraction())
            continue;
        const MathText::Layout layout = math.Lay(face, this);
        reach = std::max({reach, layout.ascent - middle, layout.descent + middle});
    }
    return 2 * qCeil(reach);
}

void EquationStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont face = Fonts::SongTi(pixels_, true);
    painter.setFont(face);
    painter.setPen(Palette::Blue);
    const QFontMetrics metrics(face);
    const int middle = height() / 2;
    const int baseline = middle + metrics.capHeight() / 2;
    const int gap = kClassicGap * pixels_ / kClassicPixels;
    const int side = SignSide();
    int x = 0;
    for (const EquationPiece &piece : pieces_) {
        if (piece.sign == EquationPiece::Sign::None) {
            const MathText math = MathText::Of(piece.text);
            if (!math.HasFraction()) {
                painter.drawText(x, baseline, piece.text);
                x += metrics.horizontalAdvance(piece.text);
                continue;
            }
            // A fraction's bar stands across the middle of the row, where the signs are.
            math.Draw(painter, QPointF(x, baseline), face);
            x += qCeil(math.Lay(face, this).width);
            continue;
        }
        ScreenPicture &picture = signs_.at(static_cast<std::size_t>(piece.sign));
        painter.drawPixmap(QRect(x + gap, middle - side / 2, side, side),
                           picture.Pixmap(QSize(side, side), devicePixelRatioF()));
        x += side + 2 * gap;
    }
}
