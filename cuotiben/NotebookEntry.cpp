#include "cuotiben/NotebookEntry.h"

QString MissSourceText(MissSource source)
{
    switch (source) {
    case MissSource::Practice:
        return QStringLiteral("练习");
    case MissSource::Competition:
        return QStringLiteral("竞技");
    case MissSource::Exam:
        break;
    }
    return QStringLiteral("考试");
}

std::uint64_t ProblemKey(const ::Problem &whole)
{
    const std::optional<ArithProblem> plain = AsArithProblem(whole);
    if (!plain) {
        // The plain keys use every bit, so these may meet one in about 2^64.
        std::uint64_t h = 0xcbf29ce484222325ull;
        const auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 0x100000001b3ull; };
        for (const Term &term : whole.Terms) {
            mix(static_cast<std::uint32_t>(term.Value.Numerator()));
            // Whole terms add nothing here, so the keys of old entries stay.
            if (!term.Value.IsWhole() || term.Form != NumberForm::Plain)
                mix(static_cast<std::uint64_t>(term.Value.Denominator()) << 16
                    | static_cast<std::uint64_t>(term.WrittenDenominator) << 8 | static_cast<std::uint64_t>(term.Form));
        }
        mix(static_cast<std::uint64_t>(whole.Signs[0]) << 16 | static_cast<std::uint64_t>(whole.Signs[1]) << 8
            | static_cast<std::uint64_t>(whole.Group));
        mix(static_cast<std::uint64_t>(static_cast<std::uint8_t>(whole.Blank)) << 8 | static_cast<std::uint64_t>(whole.Result.Kind));
        return h;
    }
    const ArithProblem &problem = *plain;
    // Two operands below 2^31 and one of four operators fill 64 bits exactly.
    const auto first = static_cast<std::uint64_t>(static_cast<std::uint32_t>(problem.FirstOperand));
    const auto second = static_cast<std::uint64_t>(static_cast<std::uint32_t>(problem.SecondOperand));
    const auto op = static_cast<std::uint64_t>(static_cast<std::int32_t>(problem.OperatorCode) - 1) & 3;
    return (first << 33) ^ (second << 2) ^ op;
}
