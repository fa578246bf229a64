#pragma once

#include <QLabel>

// A drill operand: big digits centred across the box and standing on the
// baseline that puts their middle at a given height, so both operands share
// one line, level with the signs between them, whatever their length. A
// number too wide for the box is drawn a little smaller, on the same line.
class OperandLabel : public QLabel {
    Q_OBJECT

public:
    explicit OperandLabel(QWidget *parent = nullptr);

    // In the label's own pixels.
    void setDigitsMiddle(int y);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int digitsMiddle_ = 0;
};
