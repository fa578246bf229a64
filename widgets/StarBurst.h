#pragma once

#include "widgets/ScreenPicture.h"

#include <QElapsedTimer>
#include <QWidget>

class QTimer;

// A short celebration: gold stars rise over the widget's rectangle and fade
// within RunMilliseconds. It never takes the mouse or the focus, so the
// child answers on while it plays; starting it again restarts it.
class StarBurst : public QWidget {
    Q_OBJECT

public:
    static constexpr int RunMilliseconds = 900;
    static constexpr int StarCount = 14;

    explicit StarBurst(QWidget *parent = nullptr);

    void Play();
    bool Playing() const;
    // The frame at ms after the start, as a repaint would draw it.
    void PaintFrame(QPainter &painter, int ms);

    QTimer *Timer1;  // the frames

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Frame();

    ScreenPicture star_;
    QElapsedTimer clock_;
};
