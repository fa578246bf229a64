#include "kebiao/PresetChoice.h"

#include <algorithm>
#include <utility>

namespace {

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int TermOf(const Preset &preset)
{
    const auto terms = PresetTerms();
    return static_cast<int>(std::find(terms.begin(), terms.end(), preset.Term) - terms.begin());
}

}  // namespace

PresetChoice::PresetChoice(PresetChoiceView &view, const PresetPick &current, Mastery mastered)
    : view_(view), mastered_(std::move(mastered))
{
    const Preset *preset = PresetOf(current);
    pick_ = preset ? current : PresetPick{Presets().front().Id, 0};
    term_ = TermOf(*PresetOf(pick_));
}

QString PresetChoice::PresetRow(const Preset &preset, bool mastered)
{
    // 达标 stays the unit's speed and accuracy; 已掌握 is the child's facts.
    const QString row = QStringLiteral("%1　例：%2　%3 题/分，正确率 %4%")
                            .arg(Utf8(preset.Name), Utf8(preset.Example))
                            .arg(preset.ProblemsPerMinute)
                            .arg(preset.AccuracyPercent);
    return mastered ? row + QStringLiteral("　★ 已掌握") : row;
}

bool PresetChoice::Mastered(const PresetPick &pick) const
{
    return mastered_ && mastered_(pick);
}

QList<const Preset *> PresetChoice::PresetsOfTerm(int term) const
{
    QList<const Preset *> presets;
    for (const Preset &preset : Presets()) {
        if (TermOf(preset) == term)
            presets.append(&preset);
    }
    return presets;
}

void PresetChoice::Open()
{
    QStringList terms;
    for (const std::string_view term : PresetTerms())
        terms << Utf8(term);
    view_.showTerms(terms, term_);
    TermSelected(term_);
}

void PresetChoice::TermSelected(int term)
{
    term_ = term;
    const QList<const Preset *> presets = PresetsOfTerm(term);
    QStringList rows;
    int selected = 0;
    for (const Preset *preset : presets) {
        if (preset->Id == pick_.PresetId)
            selected = static_cast<int>(rows.size());
        // A unit is mastered with every one of its choices.
        bool mastered = true;
        for (int choice = 0; mastered && choice < std::max<int>(1, static_cast<int>(preset->Choices.size())); ++choice)
            mastered = Mastered({preset->Id, choice});
        rows << PresetRow(*preset, mastered);
    }
    view_.showPresets(rows, selected);
    PresetSelected(selected);
}

void PresetChoice::PresetSelected(int row)
{
    const QList<const Preset *> presets = PresetsOfTerm(term_);
    if (row < 0 || row >= presets.size())
        return;
    const Preset &preset = *presets.at(row);
    if (preset.Id != pick_.PresetId)
        pick_ = {preset.Id, 0};
    QStringList choices;
    for (const std::string_view choice : preset.Choices) {
        const bool mastered = Mastered({preset.Id, static_cast<int>(choices.size())});
        choices << (mastered ? Utf8(choice) + QStringLiteral(" ★") : Utf8(choice));
    }
    view_.showChoices(choices, pick_.Choice);
}

void PresetChoice::ChoiceSelected(int choice)
{
    if (PresetOf({pick_.PresetId, choice}))
        pick_.Choice = choice;
}

void PresetChoice::Confirm()
{
    result_ = pick_;
    view_.closeChooser();
}

void PresetChoice::FreePractice()
{
    result_ = PresetPick{};
    view_.closeChooser();
}

void PresetChoice::Cancel()
{
    result_.reset();
    view_.closeChooser();
}
