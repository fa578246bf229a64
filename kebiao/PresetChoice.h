#pragma once

#include "arithmetic/Presets.h"

#include <QStringList>
#include <functional>
#include <optional>

class PresetChoiceView;

// The chooser's logic: the terms, the presets of the chosen term with their
// example and 达标 figures, and the choices of the chosen preset; 确定 takes
// the preset, 自由练习 goes back to the range and operation lists, 取消
// changes nothing. A choice the child has mastered carries a ★, a unit
// whose every choice she has mastered "★ 已掌握".
class PresetChoice {
public:
    // Whether the child has mastered a unit's choice; none is without it.
    using Mastery = std::function<bool(const PresetPick &)>;

    PresetChoice(PresetChoiceView &view, const PresetPick &current, Mastery mastered);

    void Open();
    void TermSelected(int term);
    void PresetSelected(int row);
    void ChoiceSelected(int choice);
    void Confirm();
    void FreePractice();
    void Cancel();

    // What the chooser ended with: nothing for 取消.
    const std::optional<PresetPick> &Result() const { return result_; }

    // A row of the preset list: "20以内进位加法　例：9+4, 7+5　10 题/分，正确率 90%",
    // with "　★ 已掌握" after it for a mastered unit.
    static QString PresetRow(const Preset &preset, bool mastered);

private:
    QList<const Preset *> PresetsOfTerm(int term) const;
    bool Mastered(const PresetPick &pick) const;

    PresetChoiceView &view_;
    Mastery mastered_;
    PresetPick pick_;
    int term_ = 0;
    std::optional<PresetPick> result_;
};

// What the chooser's logic needs from its window.
class PresetChoiceView {
public:
    virtual ~PresetChoiceView() = default;
    virtual void showTerms(const QStringList &terms, int selected) = 0;
    virtual void showPresets(const QStringList &rows, int selected) = 0;
    // An empty list hides the choices.
    virtual void showChoices(const QStringList &choices, int selected) = 0;
    virtual void closeChooser() = 0;
};
