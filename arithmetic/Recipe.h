#pragma once

#include "arithmetic/Presets.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

// One row of a mixed paper (组卷): a preset with its choice, or the classic
// range and operation when the pick is free practice, and how many
// questions it gives.
struct RecipeRow {
    PresetPick Pick = {};
    std::int32_t Range = 10;
    OperationChoice Operation = OperationChoice::AddSubtract;
    int Count = 0;

    bool operator==(const RecipeRow &) const = default;
};

enum class RecipeOrder { InOrder, Shuffled };  // 按顺序 打乱

// A paper mixed from several units, as a teacher writes it: "80 道 20以内加减，
// 20 道 100以内加减".
struct Recipe {
    static constexpr int MaxRows = 6;
    static constexpr int MinTotal = 10;
    static constexpr int MaxTotal = 100;

    QString Name = {};  // "期中口算 A"; empty until saved
    QList<RecipeRow> Rows = {};
    RecipeOrder Order = RecipeOrder::InOrder;

    int Total() const;
    // One to six rows, each with a known preset or range and at least one
    // question, and 10 to 100 questions in all.
    bool IsValid() const;
    bool IsEmpty() const { return Rows.isEmpty(); }

    bool operator==(const Recipe &) const = default;
};

// "20以内进位加法 · 9加几" for a preset's row, "100以内 加减" for the classic one.
QString RowTitle(const RecipeRow &row);

// The name when saved, otherwise "组卷": how the settings panel and the
// paper name the recipe.
QString RecipeTitle(const Recipe &recipe);

// The different problems a preset's choice holds, counted up to
// Recipe::MaxTotal (a paper never asks more); worked out once per choice.
int DistinctProblems(const Preset &preset, int choice);

// What the child would notice before the paper is made: the first preset
// whose rows (taken together) ask for more different problems than it
// holds, as "20以内进位加法只有 36 道不同的题，却要 40 道"; nothing when
// every preset has enough.
std::optional<QString> ShortOfProblems(const Recipe &recipe);

// The recipe's paper drawn from source as it stands (never reseeded), so a
// (recipe, seed) pair gives one paper on every machine: each preset's rows
// drawn as one preset paper, no problem twice while it has others and its
// rare ones rare, the classic rows as the classic paper draws, then the rows
// kept in order or shuffled through source.Below.
struct PaperQuestion {
    Problem Question;
    // 要约分, as its row's unit asks.
    bool WantsLowestTerms = false;
};
QList<PaperQuestion> DrawRecipePaper(const Recipe &recipe, RandomSource &source);
