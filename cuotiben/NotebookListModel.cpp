#include "cuotiben/NotebookListModel.h"

#include "cuotiben/Notebook.h"
#include "arithmetic/ProblemTexts.h"

#include <utility>

namespace {

QString DateText(QDate date)
{
    return date.toString(Qt::ISODate);
}

}  // namespace

NotebookListModel::NotebookListModel(const Notebook &notebook, Shows shows, Clock today)
    : notebook_(notebook), shows_(shows), today_(std::move(today))
{
    Rebuild();
}

void NotebookListModel::Rebuild()
{
    beginResetModel();
    listedOn_ = today_();
    if (shows_ == Shows::ToReview) {
        rows_ = notebook_.UnconqueredIndexes();
    } else {
        rows_.clear();
        const QList<NotebookEntry> &entries = notebook_.Entries();
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (entries.at(i).Conquered())
                rows_.append(static_cast<int>(i));
        }
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
    const NotebookEntry &entry = notebook_.Entries().at(rows_.at(index.row()));
    const bool overdue = !entry.Conquered() && entry.Due < listedOn_;
    // A stacked fraction is read out as it is said ("四分之三除以3等于").
    if (role == Qt::AccessibleTextRole && index.column() == ProblemColumn && ListedText(entry.Problem).contains(u'/'))
        return SpokenProblem(entry.Problem);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case ProblemColumn:
        return entry.Conquered() ? QStringLiteral("★ ") + ListedText(entry.Problem) : ListedText(entry.Problem);
    case AnswerColumn:
        return entry.Answer.isEmpty() ? QStringLiteral("（未答）") : entry.Answer;
    case MissedColumn:
        return DateText(entry.Missed);
    case SourceColumn:
        return MissSourceText(entry.Source);
    case RightColumn:
        return QString::number(entry.RightCount);
    case DueColumn:
        if (entry.Conquered())
            return QStringLiteral("已消灭");
        return overdue ? DateText(entry.Due) + OverdueMark() : DateText(entry.Due);
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
