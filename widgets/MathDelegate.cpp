#include "widgets/MathDelegate.h"

#include "widgets/MathText.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <cmath>

namespace {

// The room a cell's text keeps from its edges, as the style's own cells do.
int TextMargin(const QStyleOptionViewItem &option)
{
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    return style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
}

}  // namespace

void MathDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const MathText math = MathText::Of(index.data(Qt::DisplayRole).toString());
    if (!math.HasFraction()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.text.clear();
    const QStyle *style = cell.widget ? cell.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    painter->save();
    painter->setPen(cell.palette.color(QPalette::Text));
    const int margin = TextMargin(cell);
    math.Draw(*painter, QRectF(cell.rect.adjusted(margin, 0, -margin, 0)), cell.displayAlignment, cell.font);
    painter->restore();
}

QSize MathDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const MathText math = MathText::Of(index.data(Qt::DisplayRole).toString());
    if (!math.HasFraction())
        return size;
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const MathText::Layout layout = math.Lay(cell.font, cell.widget);
    size.setWidth(static_cast<int>(std::ceil(layout.width)) + 2 * TextMargin(cell));
    size.setHeight(std::max(size.height(), static_cast<int>(std::ceil(layout.ascent + layout.descent))));
    return size;
}
