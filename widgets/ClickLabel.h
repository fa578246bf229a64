#pragma once

#include <QLabel>

// A label that reports a left click, for the small round window controls.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget *parent = nullptr);

    // What a click does, for a press that comes another way (a screen
    // reader's press action).
    void click();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
