#include "widgets/Controls.h"

#include "widgets/ClickLabel.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/Shape.h"

namespace Controls {

void SetColor(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

ClickLabel *MakeRoundControl(QWidget *parent, const char *labelName, const QRect &labelRect, const char *shapeName,
                             const QRect &shapeRect, const QString &caption, const QString &accessibleName,
                             Shape *&shape)
{
    shape = Make<Shape>(parent, shapeName, shapeRect);
    shape->setPen(QPen(Palette::Lime, 2, Qt::DotLine));
    auto *label = Make<ClickLabel>(parent, labelName, labelRect);
    label->setText(caption);
    label->setAccessibleName(accessibleName);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(Fonts::Ui(16, true));
    label->setCursor(Qt::PointingHandCursor);
    SetColor(label, QPalette::WindowText, Palette::Fuchsia);
    return label;
}

}  // namespace Controls
