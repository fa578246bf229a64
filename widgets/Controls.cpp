#include "widgets/Controls.h"

#include "widgets/ClickLabel.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PictureBox.h"
#include "widgets/Shape.h"

namespace Controls {

void SetColor(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

FlatButton *MakeButton(QWidget *parent, const char *name, const QRect &rect, const ButtonFace &face)
{
    auto *button = Make<FlatButton>(parent, name, rect);
    button->setText(face.caption);
    // Left empty, the name follows the caption, also when it changes later.
    if (!face.accessibleName.isEmpty())
        button->setAccessibleName(face.accessibleName);
    button->setFont(face.font);
    button->setCaptionColor(face.captionColor);
    button->setCaptionOutlined(face.captionOutlined);
    button->setCaptionInArt(face.captionInArt);
    button->setRaised(face.raised);
    button->setSelectionFrame(face.selectionFrame);
    if (!face.picture.isEmpty())
        button->setPicture(face.picture, face.pictureSize);
    return button;
}

PictureBox *MakePicture(QWidget *parent, const char *name, const QRect &rect, const QString &resource,
                        const QString &accessibleName)
{
    auto *picture = Make<PictureBox>(parent, name, rect);
    picture->setPicture(resource);
    picture->setAccessibleName(accessibleName);
    return picture;
}

ClickLabel *MakeRoundControl(QWidget *parent, const char *labelName, const QRect &labelRect, const char *shapeName,
                             const QRect &shapeRect, const QString &caption, const QString &accessibleName,
                             Shape *&shape)
{
    shape = Make<Shape>(parent, shapeName, shapeRect);
    shape->setPen(QPen(Palette::Lime, 2, Qt::DotLine));
    shape->setAccessibleName(QStringLiteral("圆圈"));
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
