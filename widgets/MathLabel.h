#pragma once

#include <QLabel>

// A one-line label that draws the fractions of its text stacked (see
// MathText). A text without one is drawn by QLabel itself, exactly as ever.
class MathLabel : public QLabel {
    Q_OBJECT

public:
    explicit MathLabel(QWidget *parent = nullptr);

    // The width the text takes in the label's font, stacked fractions and all.
    int textWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
