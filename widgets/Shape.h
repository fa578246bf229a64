#pragma once

#include <QBrush>
#include <QPen>
#include <QWidget>

// An ellipse filling the control, outlined with a pen and filled with a
// brush; transparent to the mouse.
class Shape : public QWidget {
    Q_OBJECT

public:
    explicit Shape(QWidget *parent = nullptr);

    void setPen(const QPen &pen);
    void setBrush(const QBrush &brush);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPen pen_;
    QBrush brush_{Qt::NoBrush};
};
