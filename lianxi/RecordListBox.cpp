#include "lianxi/RecordListBox.h"

#include "lianxi/AccessibleRecordList.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

RecordListBox::RecordListBox(const QStringList &lines, int rowHeight, QWidget *parent)
    : QAbstractScrollArea(parent), lines_(lines), rowHeight_(rowHeight), rows_(static_cast<int>(lines.size()))
{
    AccessibleRecordList::Install();
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateScrollRange();
}

QString RecordListBox::line(int row) const
{
    return row >= 0 && row < rows_ ? lines_.at(row) : QString();
}

void RecordListBox::setCorrections(const QStringList *rightAnswers, const QColor &color)
{
    corrections_ = rightAnswers;
    correctionColor_ = color;
    viewport()->update();
}

QString RecordListBox::correction(int row) const
{
    return corrections_ && row >= 0 && row < rows_ && row < corrections_->size() ? corrections_->at(row) : QString();
}

int RecordListBox::topRow() const
{
    return verticalScrollBar()->value();
}

QRect RecordListBox::rowRect(int row) const
{
    return {0, (row - topRow()) * rowHeight_, viewport()->width(), rowHeight_};
}

int RecordListBox::rowAt(int y) const
{
    if (y < 0)
        return -1;
    const int row = topRow() + y / rowHeight_;
    return row < rows_ ? row : -1;
}

int RecordListBox::rowsInSight() const
{
    return qMax(1, viewport()->height() / rowHeight_);
}

void RecordListBox::updateScrollRange()
{
    const int inSight = rowsInSight();
    verticalScrollBar()->setPageStep(inSight);
    verticalScrollBar()->setRange(0, qMax(0, rows_ - inSight));
}

void RecordListBox::lineAppended()
{
    ++rows_;
    updateScrollRange();
    const int shownAt = rows_ - 1 - topRow();
    if (shownAt >= 0 && shownAt <= rowsInSight())
        viewport()->update(0, shownAt * rowHeight_, viewport()->width(), rowHeight_);
}

void RecordListBox::linesReset()
{
    rows_ = static_cast<int>(lines_.size());
    current_ = -1;
    verticalScrollBar()->setValue(0);
    updateScrollRange();
    viewport()->update();
}

void RecordListBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    const int first = topRow() + dirty.top() / rowHeight_;
    const int last = qMin(rows_ - 1, topRow() + dirty.bottom() / rowHeight_);
    for (int row = first; row <= last; ++row) {
        const QRect area = rowRect(row);
        const bool selected = row == current_;
        if (selected)
            painter.fillRect(area, palette().color(QPalette::Highlight));
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect text = area.adjusted(3, 0, -3, 0);
        QRect drawn;
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, lines_.at(row), &drawn);
        if (const QString right = correction(row); !right.isEmpty()) {
            if (!selected)
                painter.setPen(correctionColor_);
            painter.drawText(text.adjusted(drawn.width(), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral(" → ") + right);
        }
    }
}

void RecordListBox::mousePressEvent(QMouseEvent *event)
{
    const int row = rowAt(static_cast<int>(event->position().y()));
    if (event->button() == Qt::LeftButton && row >= 0) {
        current_ = row;
        viewport()->update();
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void RecordListBox::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}
