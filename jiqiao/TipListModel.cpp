#include "jiqiao/TipListModel.h"

#include "jiqiao/TipStore.h"

namespace {

// The tip column is centred, its header too.
int AlignmentOf(int column)
{
    const Qt::Alignment alignment =
        column == TipListModel::TipColumn ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
    return static_cast<int>(alignment);
}

// The list shows no more of a tip than this many characters, far more than
// its column holds: eliding a tip of megabytes for every repaint would take
// seconds, while its start is all a row can show anyway.
constexpr qsizetype kListedLength = 200;

QString ListedText(const QString &tip)
{
    if (tip.size() <= kListedLength)
        return tip;
    // A character of two UTF-16 units is kept whole or left out.
    const qsizetype length = tip.at(kListedLength - 1).isHighSurrogate() ? kListedLength - 1 : kListedLength;
    return tip.left(length);
}

}  // namespace

TipListModel::TipListModel(const TipStore &store) : store_(store) {}

void TipListModel::Rebuild()
{
    beginResetModel();
    endResetModel();
}

int TipListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : store_.TipCount();
}

int TipListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TipListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= store_.TipCount())
        return {};
    if (role == Qt::DisplayRole)
        return index.column() == NumberColumn ? QString::number(index.row() + 1) : ListedText(store_.TipAt(index.row()));
    if (role == Qt::TextAlignmentRole)
        return AlignmentOf(index.column());
    return {};
}

QVariant TipListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section == NumberColumn ? QStringLiteral("序号") : QStringLiteral("技巧");
    if (role == Qt::TextAlignmentRole)
        return AlignmentOf(section);
    return {};
}

Qt::ItemFlags TipListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
