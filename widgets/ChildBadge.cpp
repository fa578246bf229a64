#include "widgets/ChildBadge.h"

#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"

#include <QPainter>
#include <algorithm>

ChildBadge::ChildBadge(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(Fonts::KaiTi(20, true));
    Controls::SetColor(this, QPalette::WindowText, Palette::Navy);
}

void ChildBadge::Show(const QString &name, const QString &pictureResource)
{
    name_ = name;
    picture_.SetResource(pictureResource);
    setAccessibleName(QStringLiteral("正在练习的小朋友：%1").arg(name));
    setToolTip(name);
    update();
}

void ChildBadge::paintEvent(QPaintEvent *)
{
    if (name_.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    // Wide, the name stands beside the animal; narrow, beneath it, on two
    // lines where it needs them.
    if (width() >= height()) {
        painter.drawPixmap(0, 0, picture_.Pixmap({height(), height()}, devicePixelRatioF()));
        painter.drawText(rect().adjusted(height() + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, name_);
        return;
    }
    const int side = std::min(width(), height() / 2);
    painter.drawPixmap((width() - side) / 2, 0, picture_.Pixmap({side, side}, devicePixelRatioF()));
    painter.drawText(rect().adjusted(0, side + 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, name_);
}
