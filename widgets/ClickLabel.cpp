#include "widgets/ClickLabel.h"

#include "widgets/AccessibleClickLabel.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    AccessibleClickLabel::Install();
    setFocusPolicy(Qt::NoFocus);
}

void ClickLabel::click()
{
    emit clicked();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
    QLabel::mouseReleaseEvent(event);
}
