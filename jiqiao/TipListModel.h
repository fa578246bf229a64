#pragma once

#include <QAbstractTableModel>

class TipStore;

// The tips list: one row per tip line, numbered from 1, with the line beside
// its number (the start of a very long one). It holds nothing of its own and
// reads the store, so a list of any length is ready at once.
class TipListModel : public QAbstractTableModel {
public:
    enum Column { NumberColumn, TipColumn, ColumnCount };

    explicit TipListModel(const TipStore &store);

    // Shows the store afresh, whole; any selection in the list goes.
    void Rebuild();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    const TipStore &store_;
};
