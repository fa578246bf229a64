#include "arithmetic/Term.h"

std::optional<Term> Term::Fraction(std::int32_t n, std::int32_t d)
{
    const std::optional<Exact> value = d > 0 ? Exact::Fraction(n, d) : std::nullopt;
    if (!value)
        return std::nullopt;
    Term term;
    term.Value = *value;
    term.Form = NumberForm::Fraction;
    term.WrittenDenominator = d;
    return term;
}

Term Term::Decimal(std::int32_t scaled, int places)
{
    std::int64_t power = 1;
    for (int k = 0; k < places; ++k)
        power *= 10;
    Term term;
    term.Value = Exact::Fraction(scaled, power).value_or(Exact());
    return term;
}

Term Term::Percent(std::int32_t percent)
{
    Term term;
    term.Value = Exact::Fraction(percent, 100).value_or(Exact());
    term.Form = NumberForm::Percent;
    return term;
}

std::int32_t Term::WrittenNumerator() const
{
    if (Form != NumberForm::Fraction)
        return Value.Numerator();
    return static_cast<std::int32_t>(std::int64_t{Value.Numerator()} * (WrittenDenominator / Value.Denominator()));
}

std::optional<std::int32_t> Term::Whole() const
{
    if (Form != NumberForm::Plain || !Value.IsWhole())
        return std::nullopt;
    return Value.Numerator();
}
