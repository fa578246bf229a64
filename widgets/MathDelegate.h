#pragma once

#include <QStyledItemDelegate>

// Draws a list's cells as ever, except that a cell whose text holds a
// fraction shows it stacked (see MathText).
class MathDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
