#pragma once

#include <QPixmap>
#include <QWidget>

class FlatButton;
class StarBurst;

// A celebration over a whole window: stars rise over a card that says what
// the child has done, until "好的" puts it away. A screen reader hears it as
// a notification named with its text.
class CelebrationPanel : public QWidget {
    Q_OBJECT

public:
    // Its stars and its button are named as the window numbers its
    // controls.
    CelebrationPanel(QWidget *window, const char *name, const char *starsName, const char *buttonName);

    void Celebrate(const QString &text);
    const QString &Text() const { return text_; }

    StarBurst *Stars;
    FlatButton *Done;  // 好的

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect CardRect() const;

    // The window as it was, dimmed, with the card and its text on it: drawn
    // once, so a frame of the stars repaints nothing beneath the panel, nor
    // the large type, which Qt would otherwise draw outline by outline.
    QPixmap backdrop_;
    QString text_;
};
