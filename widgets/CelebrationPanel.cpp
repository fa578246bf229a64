#include "widgets/CelebrationPanel.h"

#include "widgets/AccessiblePicture.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/StarBurst.h"

#include <QPaintEvent>
#include <QPainter>

CelebrationPanel::CelebrationPanel(QWidget *window, const char *name, const char *starsName, const char *buttonName)
    : QWidget(window)
{
    AccessiblePicture::Install();
    Controls::Place(this, name, window->rect());
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QRect card = CardRect();
    Stars = Controls::Place(new StarBurst(this), starsName, card);
    Done = Controls::MakeButton(this, buttonName,
                                        QRect(card.center().x() - 80, card.bottom() - 84, 160, 64),
                                        {.caption = QStringLiteral("好的"),
                                         .font = Fonts::LiShu(36, true),
                                         .captionColor = Palette::Navy,
                                         .picture = QStringLiteral(":/marks/star.svg"),
                                         .pictureSize = {40, 40}});
    connect(Done, &FlatButton::clicked, this, &QWidget::hide);
    hide();
}

QRect CelebrationPanel::CardRect() const
{
    return rect().adjusted(96, 96, -96, -96);
}

void CelebrationPanel::Celebrate(const QString &text)
{
    hide();
    backdrop_ = parentWidget()->grab(geometry());
    QPainter painter(&backdrop_);
    painter.setRenderHint(QPainter::Antialiasing);
    // The window shows dimly through, so the card stands out.
    painter.fillRect(rect(), QColor(0, 0, 64, 110));
    painter.setPen(QPen(QColor(0xB3, 0x6B, 0x00), 6));
    painter.setBrush(Palette::Cream);
    painter.drawRoundedRect(CardRect(), 28, 28);
    painter.setFont(Fonts::KaiTi(34, true));
    painter.setPen(Palette::Maroon);
    painter.drawText(CardRect().adjusted(24, 24, -24, -96), Qt::AlignCenter | Qt::TextWordWrap, text);
    painter.end();
    text_ = text;
    setAccessibleName(text);
    raise();
    show();
    Stars->raise();
    Stars->Play();
}

void CelebrationPanel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), backdrop_, QRectF(event->rect().topLeft() * backdrop_.devicePixelRatio(),
                                                       event->rect().size() * backdrop_.devicePixelRatio()));
}
