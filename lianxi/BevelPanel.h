#pragma once

#include <QColor>
#include <QWidget>

// A filled panel framed by a raised outer bevel and an optional lowered inner
// bevel, each of a given width in pixels.
class BevelPanel : public QWidget {
    Q_OBJECT

public:
    BevelPanel(const QColor &fill, int outerWidth, int innerWidth, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor fill_;
    int outerWidth_;
    int innerWidth_;
};
