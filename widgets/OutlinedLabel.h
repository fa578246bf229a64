#pragma once

#include <QLabel>

// A one-line label whose text has a dark outline (see OutlinedText), in the
// label's window-text colour, font and alignment.
class OutlinedLabel : public QLabel {
    Q_OBJECT

public:
    explicit OutlinedLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
