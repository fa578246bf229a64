#include "arithmetic/Presets.h"

#include "arithmetic/PresetDraws.h"
#include "arithmetic/ProblemGenerator.h"

#include <unordered_set>

namespace {

using namespace std::string_view_literals;
using namespace PresetDraws;

constexpr std::array kTerms{"一年级上册"sv, "一年级下册"sv, "二年级上册"sv, "二年级下册"sv,
                            "三年级上册"sv, "三年级下册"sv, "四年级上册"sv, "四年级下册"sv,
                            "五年级上册"sv, "五年级下册"sv, "六年级上册"sv};

constexpr std::array kFirstAddend{"9加几"sv, "8、7、6加几"sv, "5、4、3、2加几"sv, "全部"sv};
constexpr std::array kSubtrahend{"十几减9"sv, "十几减8、7、6"sv, "十几减5、4、3、2"sv, "全部"sv};
constexpr std::array kCarry{"不进位"sv, "进位"sv, "混合"sv};
constexpr std::array kBorrow{"不退位"sv, "退位"sv, "混合"sv};
constexpr std::array kRegroup{"不进位、不退位"sv, "进位、退位"sv, "混合"sv};
constexpr std::array kBrackets{"不带小括号"sv, "带小括号"sv};
constexpr std::array kTables{"7～9的口诀"sv, "全部口诀"sv};
constexpr std::array kDivisionTables{"用1～6的口诀"sv, "用7～9的口诀"sv, "全部"sv};
constexpr std::array kTimesCarry{"不进位"sv, "可进位"sv};
constexpr std::array kPointCarry{"不进退位"sv, "可进退位"sv};

constexpr AnswerKind W = AnswerKind::Whole;
constexpr AnswerKind D = AnswerKind::Decimal;
constexpr AnswerKind F = AnswerKind::Fraction;

const std::array<Preset, 36> kPresets{{
    {1, kTerms[0], "5以内加减", "3+2, 5−4", 15, 95, W, {}, AddSubtractWithin5, HasZero},
    {2, kTerms[0], "10以内加减", "6+3, 9−7", 12, 95, W, {}, AddSubtractWithin10, HasZero},
    {3, kTerms[0], "凑十（10的分与合）", "□+3=10", 12, 95, W, {}, MakeTen},
    {4, kTerms[0], "10以内连加连减", "8−3+4", 6, 90, W, {}, ChainWithin10},
    {5, kTerms[0], "十加几和相应的减法", "10+6, 16−10", 12, 95, W, {}, TenAndOnes},
    {6, kTerms[0], "20以内进位加法", "9+4, 7+5", 10, 90, W, kFirstAddend, CarryAddition},
    {7, kTerms[1], "20以内退位减法", "13−8", 10, 90, W, kSubtrahend, BorrowSubtraction},
    {8, kTerms[1], "20以内加减混合（含填空）", "15−□=8", 8, 90, W, {}, MixedWithin20},
    {9, kTerms[1], "整十数加一位数和相应的减法", "30+5, 35−30", 10, 95, W, {}, TensAndOnes},
    {10, kTerms[1], "整十数加减整十数", "40+30, 90−60", 10, 95, W, {}, TensWithTens},
    {11, kTerms[1], "两位数加一位数、整十数", "32+5, 38+5, 32+40", 8, 90, W, kCarry, TwoDigitPlusOne},
    {12, kTerms[1], "两位数减一位数、整十数", "45−3, 42−5, 45−20", 8, 90, W, kBorrow, TwoDigitMinusOne},
    {13, kTerms[2], "100以内两位数加减两位数", "25+34, 52−27", 6, 90, W, kRegroup, TwoDigitWithTwoDigit},
    {14, kTerms[2], "100以内连加连减、加减混合", "35+20−16, 62−(25+15)", 4, 90, W, kBrackets, ChainWithin100},
    {15, kTerms[2], "1～6的乘法口诀", "4×6", 10, 95, W, {}, TablesTo6, HasFactorOne},
    {16, kTerms[2], "7～9的乘法口诀（表内乘法）", "7×8", 10, 95, W, kTables, TablesTo9, HasFactorOne},
    {17, kTerms[2], "乘加、乘减", "4×5+3", 6, 90, W, {}, MultiplyThenAdd},
    {18, kTerms[3], "表内除法", "56÷7", 10, 95, W, kDivisionTables, TableDivision},
    {19, kTerms[3], "乘除法填空", "□×7=42", 8, 90, W, {}, TableBlanks},
    {20, kTerms[3], "有余数的除法", "38÷5=7……3", 6, 90, AnswerKind::QuotientRemainder, {}, DivisionWithRemainder},
    {21, kTerms[3], "两步混合运算", "36−4×5, (32+16)÷6", 4, 90, W, {}, TwoSteps},
    {22, kTerms[3], "整百、整千数加减", "300+500, 6000−2000", 10, 95, W, {}, HundredsAndThousands},
    {23, kTerms[4], "两位数加减两位数（口算）", "36+48, 83−47", 6, 90, W, {}, TwoDigitMental},
    {24, kTerms[4], "一位数乘整十、整百数和两位数", "20×3, 200×4, 12×3", 8, 90, W, kTimesCarry, TimesOneDigit},
    {25, kTerms[5], "除数是一位数的口算除法", "60÷3, 6000÷3, 69÷3, 120÷3", 8, 90, W, {}, DivideByOneDigit},
    {26, kTerms[5], "两位数乘整十数、整十数乘整十数", "20×30, 12×20", 8, 90, W, {}, TimesTens},
    {27, kTerms[6], "三位数乘除整十数（口算）", "150×20, 240÷60", 6, 90, W, {}, ThreeDigitWithTens},
    {28, kTerms[7], "简便口算", "25×16, 364−99", 4, 90, W, {}, Shortcuts},
    {29, kTerms[4], "同分母分数加减", "2/7+3/7, 1−3/8", 6, 90, F, {}, SameDenominators},
    {30, kTerms[5], "一位小数加减", "0.5+0.3, 3.6−1.2", 8, 90, D, kPointCarry, OnePlaceDecimals},
    {31, kTerms[7], "小数点移动", "3.5×100, 42÷1000", 10, 95, D, {}, MovingThePoint},
    {32, kTerms[7], "两位小数加减", "1.25+0.75, 4−0.38", 6, 90, D, {}, TwoPlaceDecimals},
    {33, kTerms[8], "小数乘除一位数", "0.4×5, 4.8÷6, 0.25×4", 6, 90, D, {}, DecimalByOneDigit},
    {34, kTerms[9], "异分母分数加减", "1/2+1/3, 3/4−1/6", 4, 90, F, {}, UnlikeDenominators, nullptr, true},
    {35, kTerms[10], "分数乘除", "2/3×6, 3/4÷3", 5, 90, F, {}, FractionTimesAndDivide, nullptr, true},
    {36, kTerms[10], "百分数口算", "25%×40", 6, 90, AnswerKind::Percent, {}, PercentOf, nullptr, true},
}};

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct ProblemHash {
    std::size_t operator()(const Problem &p) const
    {
        std::uint64_t h = 1469598103934665603ull;
        const auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
        for (const Term &term : p.Terms) {
            mix(static_cast<std::uint32_t>(term.Value.Numerator()));
            mix(static_cast<std::uint64_t>(term.Value.Denominator()) << 8 | static_cast<std::uint64_t>(term.Form));
        }
        mix(static_cast<std::uint64_t>(p.Signs[0]) << 8 | static_cast<std::uint64_t>(p.Signs[1]));
        mix(static_cast<std::uint64_t>(p.Group) << 8 | static_cast<std::uint8_t>(p.Blank));
        mix(static_cast<std::uint32_t>(p.Result.Number.Numerator()) ^ static_cast<std::uint64_t>(p.Result.Remainder) << 32);
        return static_cast<std::size_t>(h);
    }
};

// Draws in a row that find only problems already on the paper (or rare
// ones) before the preset is taken to have no more ordinary ones: a preset with problems left finds one
// long before (even one left of a hundred is missed this often only once in
// 10^8 papers).
constexpr int kDrawsBeforeGoingRound = 2000;

// A paper has at most one rare problem in this many questions.
constexpr int kQuestionsPerRare = 10;

}  // namespace

std::span<const std::string_view> PresetTerms()
{
    return kTerms;
}

std::span<const Preset> Presets()
{
    return kPresets;
}

const Preset *FindPreset(int id)
{
    if (id < 1 || id > static_cast<int>(kPresets.size()))
        return nullptr;
    return &kPresets.at(static_cast<std::size_t>(id - 1));
}

const Preset *PresetOf(const PresetPick &pick)
{
    const Preset *preset = FindPreset(pick.PresetId);
    if (!preset || pick.Choice < 0 || pick.Choice >= std::max<int>(1, static_cast<int>(preset->Choices.size())))
        return nullptr;
    return preset;
}

QString PresetTitle(const Preset &preset, int choice)
{
    if (preset.Choices.empty())
        return Utf8(preset.Name);
    return Utf8(preset.Name) + QStringLiteral(" · ") + Utf8(preset.Choices[static_cast<std::size_t>(choice)]);
}

Problem DrawNext(const Preset &preset, int choice, RandomSource &source, const Problem &previous)
{
    Problem next = preset.Draw(choice, source);
    while (next == previous)
        next = preset.Draw(choice, source);
    return next;
}

QList<Problem> DrawPaper(const Preset &preset, int choice, int count, RandomSource &source)
{
    QList<Problem> paper;
    paper.reserve(count);
    std::unordered_set<Problem, ProblemHash> onPaper;
    int rareOnPaper = 0;
    for (int i = 0; i < count; ++i) {
        Problem next;
        bool rare = false;
        for (int tries = 0;; ++tries) {
            next = paper.isEmpty() ? preset.Draw(choice, source) : DrawNext(preset, choice, source, paper.last());
            rare = preset.IsRare && preset.IsRare(next);
            // Drawn again until new, a rare problem would come up ever more
            // often as the ordinary ones run out.
            if (!onPaper.contains(next) && (!rare || (tries == 0 && rareOnPaper < i / kQuestionsPerRare + 1)))
                break;
            if (tries >= kDrawsBeforeGoingRound && !rare) {
                // Every ordinary problem is on the paper: the next round starts.
                onPaper.clear();
                break;
            }
        }
        rareOnPaper += rare ? 1 : 0;
        onPaper.insert(next);
        paper.append(next);
    }
    return paper;
}
