#include "kaochang/RecipeEditing.h"

#include "kaochang/RecipeStore.h"

#include <algorithm>

namespace {

// Six rows always, so the window's rows stand for the draft's one by one.
Recipe InSixRows(Recipe recipe)
{
    while (recipe.Rows.size() < RecipeEditing::RowCount)
        recipe.Rows.append(RecipeRow{});
    return recipe;
}

}  // namespace

RecipeEditing::RecipeEditing(RecipeEditorView &view, const Recipe &current, const QString &storePath)
    : view_(view), storePath_(storePath)
{
    draft_ = current;
    if (draft_.IsEmpty())
        draft_.Rows.append(RecipeRow{.Count = Recipe::MinTotal});
    draft_ = InSixRows(draft_);
}

void RecipeEditing::Open()
{
    const RecipeStore::ReadResult read = RecipeStore::Read(storePath_);
    if (read.error)
        view_.showError(*read.error);
    saved_ = read.contents.saved;
    int selected = -1;
    for (qsizetype i = 0; i < saved_.size(); ++i) {
        if (saved_.at(i).Name == draft_.Name)
            selected = static_cast<int>(i);
    }
    ShowSaved(selected);
    view_.showDraft(draft_);
    Edited(draft_);
}

void RecipeEditing::Edited(const Recipe &draft)
{
    draft_ = InSixRows(draft);
    const Recipe taken = Taken();
    view_.showSummary(QStringLiteral("共 %1 题（%2 到 %3 题）").arg(taken.Total()).arg(Recipe::MinTotal).arg(Recipe::MaxTotal),
                      ShortOfProblems(taken).value_or(QString()));
}

void RecipeEditing::SavedPicked(int index)
{
    if (index < 0 || index >= saved_.size())
        return;
    draft_ = InSixRows(saved_.at(index));
    view_.showDraft(draft_);
    Edited(draft_);
}

void RecipeEditing::Save(const QString &name)
{
    draft_.Name = RecipeStore::KeptName(name);
    if (draft_.Name.isEmpty()) {
        view_.showMessage(QStringLiteral("请先写上组卷的名字，例如“期中口算 A”。"));
        return;
    }
    if (const std::optional<QString> reason = Unusable()) {
        view_.showMessage(*reason);
        return;
    }
    const Recipe recipe = Taken();
    if (const std::optional<QString> error = RecipeStore::Save(storePath_, recipe)) {
        view_.showError(*error);
        return;
    }
    const auto same = std::find_if(saved_.begin(), saved_.end(), [&recipe](const Recipe &kept) { return kept.Name == recipe.Name; });
    if (same != saved_.end())
        *same = recipe;
    else
        saved_.append(recipe);
    ShowSaved(static_cast<int>(std::distance(saved_.begin(), std::find(saved_.begin(), saved_.end(), recipe))));
}

void RecipeEditing::Use()
{
    if (const std::optional<QString> reason = Unusable()) {
        view_.showMessage(*reason);
        return;
    }
    result_ = Taken();
    Remember(result_);
    view_.closeEditor();
}

void RecipeEditing::NoRecipe()
{
    result_ = Recipe{};
    Remember(std::nullopt);
    view_.closeEditor();
}

void RecipeEditing::Cancel()
{
    result_.reset();
    view_.closeEditor();
}

Recipe RecipeEditing::Taken() const
{
    Recipe taken = draft_;
    taken.Rows.removeIf([](const RecipeRow &row) { return row.Count == 0; });
    return taken;
}

std::optional<QString> RecipeEditing::Unusable() const
{
    const Recipe taken = Taken();
    if (taken.IsValid())
        return std::nullopt;
    return QStringLiteral("一张卷要有 %1 到 %2 道题，现在是 %3 道。").arg(Recipe::MinTotal).arg(Recipe::MaxTotal).arg(taken.Total());
}

void RecipeEditing::ShowSaved(int selected)
{
    QStringList names;
    for (const Recipe &recipe : saved_)
        names << recipe.Name;
    view_.showSaved(names, selected);
}

void RecipeEditing::Remember(const std::optional<Recipe> &last)
{
    // The paper is made all the same; only the file's failure is told.
    if (const std::optional<QString> error = RecipeStore::Remember(storePath_, last))
        view_.showError(*error);
}
