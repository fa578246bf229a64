#include "arithmetic/TodayUnit.h"

#include "storage/ChildList.h"

#include <algorithm>
#include <array>

namespace {

int ChoiceCount(const Preset &preset)
{
    return std::max<int>(1, static_cast<int>(preset.Choices.size()));
}

}  // namespace

QString GradeName(int grade)
{
    static const std::array<QString, 6> kNames{QStringLiteral("一年级"), QStringLiteral("二年级"),
                                               QStringLiteral("三年级"), QStringLiteral("四年级"),
                                               QStringLiteral("五年级"), QStringLiteral("六年级")};
    return kNames.at(static_cast<std::size_t>(std::clamp(grade, ChildList::FirstGrade, ChildList::LastGrade) - 1));
}

SchoolTerm TermOf(QDate day)
{
    return day.month() >= 2 && day.month() <= 8 ? SchoolTerm::Second : SchoolTerm::First;
}

QString TermName(int grade, SchoolTerm term)
{
    return GradeName(grade) + (term == SchoolTerm::First ? QStringLiteral("上册") : QStringLiteral("下册"));
}

bool IsMastered(const QList<FactRecord> &records)
{
    if (records.isEmpty())
        return false;
    qsizetype known = 0;
    for (const FactRecord &record : records)
        known += IsKnown(record.State()) ? 1 : 0;
    return known * 100 >= records.size() * MasteredPercent;
}

std::optional<PresetPick> FirstUnitOf(int grade, SchoolTerm term)
{
    // The presets' terms go two to a grade in school order.
    const auto terms = PresetTerms();
    const qsizetype wanted = qsizetype(std::clamp(grade, ChildList::FirstGrade, ChildList::LastGrade) - 1) * 2 + (term == SchoolTerm::Second ? 1 : 0);
    const std::string_view found = terms[static_cast<std::size_t>(std::min<qsizetype>(wanted, qsizetype(terms.size()) - 1))];
    for (const Preset &preset : Presets()) {
        if (preset.Term == found)
            return PresetPick{preset.Id, 0};
    }
    return std::nullopt;
}

std::optional<PresetPick> NextUnit(const PresetPick &unit)
{
    const Preset *preset = PresetOf(unit);
    if (!preset)
        return std::nullopt;
    if (unit.Choice + 1 < ChoiceCount(*preset))
        return PresetPick{unit.PresetId, unit.Choice + 1};
    const Preset *next = FindPreset(unit.PresetId + 1);
    if (!next || next->Term != preset->Term)
        return std::nullopt;
    return PresetPick{next->Id, 0};
}

std::optional<PresetPick> TodayUnit(const std::optional<PresetPick> &lastChosen, const std::optional<int> &grade,
                                    QDate today, const std::function<bool(const PresetPick &)> &mastered)
{
    std::optional<PresetPick> unit;
    if (lastChosen && PresetOf(*lastChosen))
        unit = lastChosen;
    else if (grade)
        unit = FirstUnitOf(*grade, TermOf(today));
    if (!unit)
        return std::nullopt;
    while (mastered(*unit)) {
        const std::optional<PresetPick> next = NextUnit(*unit);
        if (!next)
            break;
        unit = next;
    }
    return unit;
}

QString MasteredSentence(const PresetPick &done, const PresetPick &next)
{
    const Preset *a = PresetOf(done);
    const Preset *b = PresetOf(next);
    if (!a || !b)
        return {};
    return QStringLiteral("%1 已经掌握了！明天开始练 %2").arg(PresetTitle(*a, done.Choice), PresetTitle(*b, next.Choice));
}
