#include "lianxi/AnswerLinesModel.h"

#include <QSize>
#include <QStringList>

AnswerLinesModel::AnswerLinesModel(const QStringList &lines, int rowHeight, QObject *parent)
    : QAbstractListModel(parent), lines_(lines), rowHeight_(rowHeight), rows_(static_cast<int>(lines.size()))
{
}

void AnswerLinesModel::lineAppended()
{
    beginInsertRows({}, rows_, rows_);
    ++rows_;
    endInsertRows();
}

void AnswerLinesModel::linesReset()
{
    beginResetModel();
    rows_ = static_cast<int>(lines_.size());
    endResetModel();
}

int AnswerLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QVariant AnswerLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_)
        return {};
    if (role == Qt::DisplayRole)
        return lines_.at(index.row());
    if (role == Qt::SizeHintRole)
        return QSize(0, rowHeight_);
    return {};
}
