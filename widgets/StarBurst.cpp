#include "widgets/StarBurst.h"

#include "widgets/AccessiblePicture.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kFrameMilliseconds = 16;
constexpr int kStarSize = 36;

}  // namespace

StarBurst::StarBurst(QWidget *parent) : QWidget(parent)
{
    AccessiblePicture::Install();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("星星"));
    star_.SetResource(QStringLiteral(":/marks/star.svg"));
    Timer1 = new QTimer(this);
    Timer1->setInterval(kFrameMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &StarBurst::Frame);
    hide();
}

void StarBurst::Play()
{
    clock_.start();
    show();
    Timer1->start();
    update();
}

bool StarBurst::Playing() const
{
    return Timer1->isActive();
}

void StarBurst::Frame()
{
    if (clock_.elapsed() >= RunMilliseconds) {
        Timer1->stop();
        hide();
        return;
    }
    update();
}

void StarBurst::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintFrame(painter, static_cast<int>(clock_.isValid() ? clock_.elapsed() : 0));
}

void StarBurst::PaintFrame(QPainter &painter, int ms)
{
    const double t = std::clamp(ms / double(RunMilliseconds), 0.0, 1.0);
    const QPixmap &star = star_.Pixmap({kStarSize, kStarSize}, devicePixelRatioF());
    // Each star has its own lane, start and speed; they rise from the bottom
    // edge, sway a little and fade out over the last third.
    for (int i = 0; i < StarCount; ++i) {
        const double lane = (i + 0.5) / StarCount;
        const double delay = (i * 7 % StarCount) / double(StarCount) * 0.3;
        const double own = std::clamp((t - delay) / (1.0 - delay), 0.0, 1.0);
        if (own <= 0.0)
            continue;
        const double rise = own * (0.8 + (i % 3) * 0.1);
        const double x = lane * (width() - kStarSize) + std::sin(own * 6.0 + i) * 10.0;
        const double y = (height() - kStarSize) * (1.0 - rise);
        painter.setOpacity(own < 0.66 ? 1.0 : (1.0 - own) * 3.0);
        painter.drawPixmap(QPointF(x, y), star);
    }
}
