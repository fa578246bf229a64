#pragma once

#include <QLineEdit>

// A line edit that shows a fraction typed into it stacked ("1 1/6" as a
// whole part before 1 over 6) while it is not being typed in; with the
// focus it shows the text as typed, to be edited as ever. A text without a
// fraction is drawn by QLineEdit itself.
class MathLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit MathLineEdit(QWidget *parent = nullptr);

    // Whether the text is drawn stacked now.
    bool ShowsStacked() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
