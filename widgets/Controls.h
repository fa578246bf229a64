#pragma once

#include "widgets/Palette.h"

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class ClickLabel;
class FlatButton;
class PictureBox;
class Shape;

// Small helpers every window builds its controls with.
namespace Controls {

// Names the control (its objectName is its member name) and puts it at its
// rectangle.
template <typename Widget>
Widget *Place(Widget *widget, const char *name, const QRect &rect)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

template <typename Widget>
Widget *Make(QWidget *parent, const char *name, const QRect &rect)
{
    return Place(new Widget(parent), name, rect);
}

void SetColor(QWidget *widget, QPalette::ColorRole role, const QColor &color);

// What a flat button shows. A screen reader names the button by its caption
// unless accessibleName says otherwise; a button over painted art, without
// a caption, is named by accessibleName alone.
struct ButtonFace {
    QString caption{};
    QString accessibleName{};
    QFont font{};
    QColor captionColor = Palette::Black;
    bool captionOutlined = false;  // a dark outline round a bright caption
    bool captionInArt = false;     // painted in the art beneath, not drawn again
    QString picture{};  // a resource drawn left of the caption; none when empty
    QSize pictureSize{};
    bool raised = false;  // a button on a plain window: see FlatButton
    bool selectionFrame = false;  // a chosen picture among others
};

FlatButton *MakeButton(QWidget *parent, const char *name, const QRect &rect, const ButtonFace &face);

// A picture control stretching an SVG of the resources over rect, named for
// a screen reader by accessibleName (none for a background).
PictureBox *MakePicture(QWidget *parent, const char *name, const QRect &rect, const QString &resource,
                        const QString &accessibleName);

// The round window controls of the borderless windows: a bold fuchsia
// caption over a dotted lime circle, with the hand pointer.
ClickLabel *MakeRoundControl(QWidget *parent, const char *labelName, const QRect &labelRect, const char *shapeName,
                             const QRect &shapeRect, const QString &caption, const QString &accessibleName,
                             Shape *&shape);

}  // namespace Controls
