#pragma once

#include "arithmetic/Recipe.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the recipe editor's logic needs from its window.
class RecipeEditorView {
public:
    virtual ~RecipeEditorView() = default;

    // The draft in the six rows (a row of 0 questions is unused), its name
    // and order.
    virtual void showDraft(const Recipe &draft) = 0;
    virtual void showSaved(const QStringList &names, int selected) = 0;
    // The total, and what the presets are short of when they are.
    virtual void showSummary(const QString &total, const QString &shortOf) = 0;
    virtual void showMessage(const QString &text) = 0;
    virtual void showError(const QString &text) = 0;
    virtual void closeEditor() = 0;
};

// 组卷: the teacher writes up to six rows, saves the recipe under a name or
// picks a saved one, and takes it for the exam room's next paper.
class RecipeEditing {
public:
    static constexpr int RowCount = Recipe::MaxRows;

    RecipeEditing(RecipeEditorView &view, const Recipe &current, const QString &storePath);

    // Reads the saved recipes (a file that cannot be read goes to the error
    // box) and shows the current recipe, or a first row to start from.
    void Open();
    // The window's rows as they now stand.
    void Edited(const Recipe &draft);
    void SavedPicked(int index);
    void Save(const QString &name);
    // 确定: the recipe for the next paper, kept as the last one used.
    void Use();
    // 不用组卷: back to the range and operation lists.
    void NoRecipe();
    void Cancel();

    // The recipe taken (empty for 不用组卷), or nothing when cancelled.
    const std::optional<Recipe> &Result() const { return result_; }

private:
    // The draft without its unused rows.
    Recipe Taken() const;
    // A reason the draft cannot make a paper, for the message box.
    std::optional<QString> Unusable() const;
    void ShowSaved(int selected);
    void Remember(const std::optional<Recipe> &last);

    RecipeEditorView &view_;
    Recipe draft_;
    QString storePath_;
    QList<Recipe> saved_;
    std::optional<Recipe> result_;
};
