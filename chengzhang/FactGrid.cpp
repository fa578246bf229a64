#include "chengzhang/FactGrid.h"

#include "arithmetic/FactHistory.h"
#include "arithmetic/FactSets.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"

#include <algorithm>

namespace {

QString AnswerLine(const FactAnswer &answer)
{
    const QString when = QStringLiteral("%1月%2日 ").arg(answer.Day.month()).arg(answer.Day.day());
    const QString verdict = answer.Right ? QStringLiteral("对") : QStringLiteral("错");
    // An exam box has no seconds of its own.
    if (!answer.Millis)
        return when + verdict + QStringLiteral("，不计时");
    return when + verdict + QStringLiteral(" %1 秒").arg(*answer.Millis / 1000.0, 0, 'f', 1);
}

QString CellText(const Problem &problem, const FactRecord &record)
{
    const QString fact = FactGrids::FactText(problem);
    if (record.Recent().isEmpty())
        return QStringLiteral("%1：未学，还没有做过").arg(fact);
    // The last few, oldest first, as a parent reads them.
    const QList<FactAnswer> &recent = record.Recent();
    QStringList answers;
    for (qsizetype k = std::max<qsizetype>(0, recent.size() - FactRecord::RecentCount); k < recent.size(); ++k)
        answers << AnswerLine(recent.at(k));
    return QStringLiteral("%1：%2。最近 %3 次：%4")
        .arg(fact, FactStateName(record.State()))
        .arg(answers.size())
        .arg(answers.join(QStringLiteral("，")));
}

QList<FactGrid> GridsOf(const QList<FactRecord> &records)
{
    QList<FactGrid> grids;
    for (const FactSet &set : FactSets()) {
        FactGrid grid{set.Name, set.RowTitle, set.ColumnTitle, set.RowLabels, set.ColumnLabels, {}};
        for (const int index : set.Facts) {
            const Fact &fact = AllFacts().at(index);
            const FactRecord &record = records.at(index);
            grid.cells.append({fact.Row, fact.Column, record.State(), CellText(fact.Question, record)});
        }
        grids.append(grid);
    }
    return grids;
}

QString FactsLine(const QString &title, const QStringList &facts)
{
    if (facts.isEmpty())
        return title + QStringLiteral("：没有");
    return QStringLiteral("%1（%2 个）：%3").arg(title).arg(facts.size()).arg(facts.join(u' '));
}

}  // namespace

int FactGrid::Count(FactState state) const
{
    return static_cast<int>(
        std::count_if(cells.begin(), cells.end(), [state](const GridCell &cell) { return cell.state == state; }));
}

bool FactGrid::Practised() const
{
    return Count(FactState::NotLearnt) < cells.size();
}

QString FactGrid::Summary() const
{
    return QStringLiteral("%1：熟练 %2 个，共 %3 个")
        .arg(name)
        .arg(Count(FactState::Fluent) + Count(FactState::Solid))
        .arg(cells.size());
}

namespace FactGrids {

QList<FactGrid> Read(const HistoryStore &store, int child)
{
    return GridsOf(AllFactRecords(store, child));
}

QList<FactGrid> ReadWeek(const HistoryStore &store, int child, QDate weekStart, FactChanges &changes)
{
    const QList<FactRecord> now = AllFactRecords(store, child);
    const QList<FactRecord> before = AllFactRecords(store, child, weekStart);
    changes = {};
    for (qsizetype index = 0; index < now.size(); ++index) {
        const FactState was = before.at(index).State();
        const FactState is = now.at(index).State();
        const QString fact = FactText(AllFacts().at(index).Question);
        if (IsKnown(is) && !IsKnown(was))
            changes.becameFluent << fact;
        else if (IsKnown(was) && is == FactState::Unknown)
            changes.forgotten << fact;
    }
    return GridsOf(now);
}

QString FactText(const Problem &problem)
{
    QString text = ListedText(problem).remove(u' ');
    if (problem.Blank == Problem::BlankAnswer && text.endsWith(u'='))
        text.chop(1);
    return text;
}

QString BecameFluentLine(const FactChanges &changes)
{
    return FactsLine(QStringLiteral("这一周新熟练的口算"), changes.becameFluent);
}

QString ForgottenLine(const FactChanges &changes)
{
    return FactsLine(QStringLiteral("熟练过、现在又不会的口算"), changes.forgotten);
}

}  // namespace FactGrids
