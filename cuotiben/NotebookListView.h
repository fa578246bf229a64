#pragma once

#include "cuotiben/NotebookListModel.h"

#include <QTableView>
#include <initializer_list>

// One of the 错题本 window's lists: rows of one height, so a notebook of any
// size lays out at once; read-only, and taking neither focus nor a
// selection, so the keyboard stays with the answer box during a review.
class NotebookListView : public QTableView {
    Q_OBJECT

public:
    explicit NotebookListView(QWidget *parent = nullptr);

    struct Shown {
        NotebookListModel::Column column;
        int width;
    };
    // Shows these columns of the model at these widths and hides the
    // others; the last one shown takes what room is left. A column whose
    // heading or cells need more room gets it, each time the list changes.
    void ShowColumns(std::initializer_list<Shown> columns);

    void setModel(QAbstractItemModel *model) override;

private:
    void FitColumns();

    QList<Shown> shown_;
};
