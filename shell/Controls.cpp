#include "shell/Controls.h"

#include "shell/ClickLabel.h"
#include "shell/Fonts.h"
#include "shell/Palette.h"
#include "shell/Shape.h"

namespace Controls {

void SetColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
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
    SetColour(label, QPalette::WindowText, Palette::Fuchsia);
    return label;
}

}  // namespace Controls
