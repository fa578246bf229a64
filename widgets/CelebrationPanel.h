#pragma once

#include <QWidget>

class FlatButton;
class QLabel;
class StarBurst;

// A celebration over a whole window: stars rise over a card that says what
// the child has done, until "好的" puts it away. A screen reader hears it as
// a notification named with its text.
class CelebrationPanel : public QWidget {
    Q_OBJECT

public:
    CelebrationPanel(QWidget *window, const char *name);

    void Celebrate(const QString &text);

    StarBurst *Image1;
    QLabel *Label1;
    FlatButton *SpeedButton1;  // 好的

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect CardRect() const;
};
