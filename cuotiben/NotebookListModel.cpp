#include "cuotiben/NotebookListModel.h"

#include "cuotiben/Notebook.h"
#include "arithmetic/ProblemTexts.h"

namespace {

QString DateText(QDate date)
{
    return date.toString(Qt::ISODate);
}

}  // namespace

NotebookListModel::NotebookListModel(const Notebook &notebook, Shows shows) : notebook_(notebook), shows_(shows)
{
    Rebuild();
}

void NotebookListModel::Rebuild()
{
    beginResetModel();
    rows_.clear();
    const QList<NotebookEntry> &entries = notebook_.Entries();
    const bool conquered = shows_ == Shows::Conquered;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries.at(i).Conquered() == conquered)
            rows_.append(static_cast<int>(i));
    }
    endResetModel();
}

int NotebookListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int NotebookListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant NotebookListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const NotebookEntry &entry = notebook_.Entries().at(rows_.at(index.row()));
    switch (index.column()) {
    case ProblemColumn:
        return PrintedText(entry.Problem);
    case AnswerColumn:
        return entry.Answer.isEmpty() ? QStringLiteral("（未答）") : entry.Answer;
    case MissedColumn:
        return DateText(entry.Missed);
    case SourceColumn:
        return MissSourceText(entry.Source);
    case RightColumn:
        return QString::number(entry.RightCount);
    case DueColumn:
        return entry.Conquered() ? QStringLiteral("已消灭") : DateText(entry.Due);
    default:
        return {};
    }
}

QVariant NotebookListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ProblemColumn:
        return QStringLiteral("题目");
    case AnswerColumn:
        return QStringLiteral("你的答案");
    case MissedColumn:
        return QStringLiteral("做错日期");
    case SourceColumn:
        return QStringLiteral("来自");
    case RightColumn:
        return QStringLiteral("答对次数");
    case DueColumn:
        return QStringLiteral("下次复习");
    default:
        return {};
    }
}

Qt::ItemFlags NotebookListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
