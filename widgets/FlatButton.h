#pragma once

#include "widgets/ScreenPicture.h"

#include <QAbstractButton>
#include <QColor>

// A button without a face of its own: it shows the art beneath it, with a
// thin raised frame while the pointer is over it and a sunken one while it is
// held down. An optional picture stands left of the caption. It never takes
// keyboard focus.
//
// Raised, it stands out on a plain window as a button should: a face with a
// raised frame at rest, lit while the pointer is over it. A chosen picture
// (checked, with the selection frame) wears a frame of the selection's
// colour as wide as the lists' selection frame.
class FlatButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit FlatButton(QWidget *parent = nullptr);

    // An SVG picture from the resources, drawn at pictureSize for the screen
    // the button is on.
    void setPicture(const QString &resourcePath, QSize pictureSize);
    void setCaptionColor(const QColor &color);
    // A dark outline round the caption's glyphs, for a caption colour that
    // alone would not stand out from the art.
    void setCaptionOutlined(bool outlined);
    // The art beneath already shows the caption: the button keeps it as its
    // text, for anyone asking, and draws none, so it needs no font.
    void setCaptionInArt(bool inArt);
    void setRaised(bool raised);
    void setSelectionFrame(bool framed);

    // How wide the frame of a chosen picture is, the lists' selection frame.
    static constexpr int SelectionFrameWidth = 3;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void paintFrame(QPainter &painter) const;

    ScreenPicture picture_;
    QSize pictureSize_;
    QColor captionColor_;
    bool captionOutlined_ = false;
    bool captionInArt_ = false;
    bool raised_ = false;
    bool selectionFrame_ = false;
};
