#include "cuotiben/NotebookListView.h"

#include "widgets/MathDelegate.h"

#include <QHeaderView>
#include <QStyleOptionViewItem>
#include <algorithm>

namespace {

constexpr int kRowHeight = 22;

}  // namespace

NotebookListView::NotebookListView(QWidget *parent) : QTableView(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    // Only a very long answer needs more room than the list has.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAlternatingRowColors(true);
    // A fraction problem's fractions stand stacked, as in the drill.
    setItemDelegate(new MathDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
}

void NotebookListView::ShowColumns(std::initializer_list<Shown> columns)
{
    shown_ = columns;
    for (int column = 0; column < NotebookListModel::ColumnCount; ++column)
        setColumnHidden(column, true);
    for (const Shown &shown : columns)
        setColumnHidden(shown.column, false);
    FitColumns();
}

void NotebookListView::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    if (model)
        connect(model, &QAbstractItemModel::modelReset, this, &NotebookListView::FitColumns);
}

void NotebookListView::FitColumns()
{
    if (!model())
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    // The grid line between two cells takes a pixel of the cell's own.
    const int grid = showGrid() ? 1 : 0;
    for (const Shown &shown : std::as_const(shown_)) {
        int width = std::max(shown.width, horizontalHeader()->sectionSizeHint(shown.column));
        for (int row = 0; row < model()->rowCount(); ++row)
            width = std::max(width,
                             itemDelegate()->sizeHint(option, model()->index(row, shown.column)).width() + grid);
        setColumnWidth(shown.column, width);
    }
}
