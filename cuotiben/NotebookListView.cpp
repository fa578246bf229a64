#include "cuotiben/NotebookListView.h"

#include <QHeaderView>

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
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAlternatingRowColors(true);
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
    for (int column = 0; column < NotebookListModel::ColumnCount; ++column)
        setColumnHidden(column, true);
    for (const Shown &shown : columns) {
        setColumnHidden(shown.column, false);
        setColumnWidth(shown.column, shown.width);
    }
}
