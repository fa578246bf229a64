#pragma once

#include <QFrame>

// One page of the exam paper: a cream panel with the white strips of its
// fifty slots painted on it. The strips are paint, not controls, so a slot
// the paper does not use shows its blank strip and leaves nothing for a
// screen reader or the Tab key to find.
class PaperPage : public QFrame {
    Q_OBJECT

public:
    explicit PaperPage(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
