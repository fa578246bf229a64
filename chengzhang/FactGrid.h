#pragma once

#include "arithmetic/FactMastery.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class HistoryStore;
struct Problem;

// One fact in its set's grid: its place, its state, and what the pointer's
// tip and a screen reader say of it.
struct GridCell {
    int row = 0;
    int column = 0;
    FactState state = FactState::NotLearnt;
    QString text;  // "9+4：熟练。最近 3 次：对 2.1 秒，对 1.8 秒，对 2.5 秒"
};

// A fact set as a grid: the numbers down the side and across the top, and
// every fact's cell; places without a fact stay empty.
struct FactGrid {
    QString name;  // "20以内进位加法"
    QString rowTitle;
    QString columnTitle;
    QStringList rowLabels;
    QStringList columnLabels;
    QList<GridCell> cells;

    int Count(FactState state) const;
    // Whether any of its facts has an answer.
    bool Practised() const;
    // "20以内进位加法：熟练 12 个，共 36 个".
    QString Summary() const;
};

// What changed over a week, fact by fact, as "9+4".
struct FactChanges {
    QStringList becameFluent;  // 熟练 or 牢固 now, neither at the week's start
    QStringList forgotten;     // 熟练 or 牢固 at the week's start, 不会 now
};

namespace FactGrids {

// Every fact set's grid for the child, in the sets' order.
QList<FactGrid> Read(const HistoryStore &store, int child);
// The grids as they are and what changed since the morning of weekStart.
QList<FactGrid> ReadWeek(const HistoryStore &store, int child, QDate weekStart, FactChanges &changes);

// A fact as a child writes it: "9+4", "□+3=10".
QString FactText(const Problem &problem);
// "这一周新熟练的口算（3 个）：9+4 9+5 9+6".
QString BecameFluentLine(const FactChanges &changes);
// "熟练过、现在又不会的口算（1 个）：7+5", or "没有" in place of the facts.
QString ForgottenLine(const FactChanges &changes);

}  // namespace FactGrids
