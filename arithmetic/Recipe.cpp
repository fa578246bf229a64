#include "arithmetic/Recipe.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>

namespace {

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Draws in a row that find nothing new before a preset is taken to have
// shown all its problems; the preset papers give up on new ones as late.
constexpr int kDrawsWithoutNew = 2000;

struct Held {
    int ordinary = 0;
    int rare = 0;
};

Held HeldBy(const Preset &preset, int choice)
{
    static std::map<std::pair<int, int>, Held> counted;
    const auto key = std::pair{preset.Id, choice};
    if (const auto found = counted.find(key); found != counted.end())
        return found->second;
    // A fixed seed: the count is the same every time, on every machine.
    RandomSource source(1);
    QList<Problem> seen;
    Held held;
    for (int misses = 0; misses < kDrawsWithoutNew && seen.size() < Recipe::MaxTotal;) {
        const Problem next = preset.Draw(choice, source);
        if (seen.contains(next)) {
            ++misses;
            continue;
        }
        misses = 0;
        seen.append(next);
        ++(preset.IsRare && preset.IsRare(next) ? held.rare : held.ordinary);
    }
    counted.emplace(key, held);
    return held;
}

bool RowIsValid(const RecipeRow &row)
{
    if (row.Count < 1)
        return false;
    if (row.Pick.PresetId != 0)
        return PresetOf(row.Pick) != nullptr;
    return std::ranges::any_of(RangeItems, [&row](std::string_view item) { return Utf8(item).toInt() == row.Range; })
           && static_cast<std::size_t>(row.Operation) < OperationItems.size();
}

}  // namespace

int Recipe::Total() const
{
    return std::accumulate(Rows.cbegin(), Rows.cend(), 0, [](int sum, const RecipeRow &row) { return sum + row.Count; });
}

bool Recipe::IsValid() const
{
    return !Rows.isEmpty() && Rows.size() <= MaxRows && Total() >= MinTotal && Total() <= MaxTotal
           && std::ranges::all_of(Rows, RowIsValid);
}

QString RowTitle(const RecipeRow &row)
{
    if (const Preset *preset = PresetOf(row.Pick))
        return PresetTitle(*preset, row.Pick.Choice);
    return QStringLiteral("%1以内 %2").arg(row.Range).arg(Utf8(OperationItems.at(static_cast<std::size_t>(row.Operation))));
}

QString RecipeTitle(const Recipe &recipe)
{
    return recipe.Name.isEmpty() ? QStringLiteral("组卷") : recipe.Name;
}

int DistinctProblems(const Preset &preset, int choice)
{
    const Held held = HeldBy(preset, choice);
    return held.ordinary + held.rare;
}

std::optional<QString> ShortOfProblems(const Recipe &recipe)
{
    for (qsizetype i = 0; i < recipe.Rows.size(); ++i) {
        const PresetPick pick = recipe.Rows.at(i).Pick;
        const Preset *preset = PresetOf(pick);
        // Each preset once, at its first row, for all its rows.
        if (!preset || std::any_of(recipe.Rows.cbegin(), recipe.Rows.cbegin() + i,
                                   [&pick](const RecipeRow &row) { return row.Pick == pick; }))
            continue;
        int asked = 0;
        for (const RecipeRow &row : recipe.Rows)
            asked += row.Pick == pick ? row.Count : 0;
        // A paper takes at most one rare problem for every ten questions.
        const Held held = HeldBy(*preset, pick.Choice);
        const int holds = held.ordinary + std::min(held.rare, (asked - 1) / 10 + 1);
        if (asked > holds)
            return QStringLiteral("%1只有 %2 道不同的题，组卷要 %3 道，会有重复的题。")
                .arg(PresetTitle(*preset, pick.Choice))
                .arg(holds)
                .arg(asked);
    }
    return std::nullopt;
}

QList<PaperQuestion> DrawRecipePaper(const Recipe &recipe, RandomSource &source)
{
    const qsizetype rowCount = recipe.Rows.size();
    QList<QList<PaperQuestion>> byRow(rowCount);
    for (qsizetype i = 0; i < rowCount; ++i) {
        const RecipeRow &row = recipe.Rows.at(i);
        const Preset *preset = PresetOf(row.Pick);
        if (!preset) {
            for (int k = 0; k < row.Count; ++k)
                byRow[i].append({Problem::From(DrawProblem(row.Range, row.Operation, source))});
            continue;
        }
        if (!byRow.at(i).isEmpty() || row.Count == 0)
            continue;  // drawn with an earlier row of its preset
        // The preset's rows share one paper, so no problem comes twice
        // across them either.
        int asked = 0;
        for (qsizetype j = i; j < rowCount; ++j)
            asked += recipe.Rows.at(j).Pick == row.Pick ? recipe.Rows.at(j).Count : 0;
        QList<PaperQuestion> drawn;
        for (const Problem &problem : DrawPaper(*preset, row.Pick.Choice, asked, source))
            drawn.append({problem, preset->WantsLowestTerms});
        qsizetype next = 0;
        for (qsizetype j = i; j < rowCount; ++j) {
            if (recipe.Rows.at(j).Pick != row.Pick)
                continue;
            byRow[j] = drawn.mid(next, recipe.Rows.at(j).Count);
            next += recipe.Rows.at(j).Count;
        }
    }
    QList<PaperQuestion> paper;
    paper.reserve(recipe.Total());
    for (const QList<PaperQuestion> &problems : byRow)
        paper.append(problems);
    if (recipe.Order == RecipeOrder::Shuffled) {
        for (qsizetype k = paper.size() - 1; k > 0; --k)
            std::swap(paper[k], paper[static_cast<qsizetype>(source.Below(static_cast<std::uint32_t>(k + 1)))]);
    }
    return paper;
}
