#pragma once

#include "arithmetic/AnswerValue.h"
#include "arithmetic/Problem.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

class RandomSource;

// 课本同步: the practice presets, one per textbook unit, each drawing only
// the problems that unit teaches. Texts are UTF-8.
struct Preset {
    int Id = 0;
    std::string_view Term;     // "一年级上册"
    std::string_view Name;     // "20以内进位加法"
    std::string_view Example;  // "9+4, 7+5"
    // The 口算达标 figures: problems a minute and the share right.
    int ProblemsPerMinute = 0;
    int AccuracyPercent = 0;
    AnswerKind Kind = AnswerKind::Whole;
    // The choices within the unit ("9加几" …); none for most.
    std::span<const std::string_view> Choices;
    // One problem for the choice (0 when there are no choices), drawn only
    // through source.Below.
    Problem (*Draw)(int choice, RandomSource &source) = nullptr;
    // The problems the unit keeps rare, one draw in ten (a 0, a factor 1);
    // none for most units.
    bool (*IsRare)(const Problem &problem) = nullptr;
    // 要约分: from the unit that teaches it on, a right value written as an
    // unreduced fraction is not yet right.
    bool WantsLowestTerms = false;
};

// The terms in school order: "一年级上册" … "六年级上册".
std::span<const std::string_view> PresetTerms();
std::span<const Preset> Presets();
// Nothing for an id not in the table.
const Preset *FindPreset(int id);

// A preset and one of its choices, as the child takes it in the chooser.
struct PresetPick {
    int PresetId = 0;  // 0: free practice with the range and operation lists
    int Choice = 0;

    bool operator==(const PresetPick &) const = default;
};

// Asks the child for a preset, showing current as chosen: a pick (free
// practice too) or nothing when the child changed nothing.
using PresetChooser = std::function<std::optional<PresetPick>(const PresetPick &current)>;

// The preset of a pick, or nothing for free practice or an unknown id.
const Preset *PresetOf(const PresetPick &pick);

// "20以内进位加法 · 9加几", or the name alone for a preset without choices.
QString PresetTitle(const Preset &preset, int choice);

// The next problem of a drill: never the one just asked.
Problem DrawNext(const Preset &preset, int choice, RandomSource &source, const Problem &previous);

// A paper of count problems, drawn as the drill draws them, with no problem
// twice while the preset has problems not yet on it; a preset with fewer
// problems than the paper goes round them again, never repeating the one
// just before. Its rare problems stay as rare as in a drill: one is taken
// only as drawn, once, and never for more than one question in ten; an
// ordinary problem takes the place of any other.
QList<Problem> DrawPaper(const Preset &preset, int choice, int count, RandomSource &source);
