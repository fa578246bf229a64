#pragma once

#include "arithmetic/Problem.h"

class RandomSource;

// One drawing rule per preset, numbered by the preset's id. Each draws only
// through source.Below; a rule that rejects a draw starts that problem over
// from its first draw.
namespace PresetDraws {

Problem AddSubtractWithin5(int choice, RandomSource &source);
Problem AddSubtractWithin10(int choice, RandomSource &source);
Problem MakeTen(int choice, RandomSource &source);
Problem ChainWithin10(int choice, RandomSource &source);
Problem TenAndOnes(int choice, RandomSource &source);
Problem CarryAddition(int choice, RandomSource &source);
Problem BorrowSubtraction(int choice, RandomSource &source);
Problem MixedWithin20(int choice, RandomSource &source);
Problem TensAndOnes(int choice, RandomSource &source);
Problem TensWithTens(int choice, RandomSource &source);
Problem TwoDigitPlusOne(int choice, RandomSource &source);
Problem TwoDigitMinusOne(int choice, RandomSource &source);
Problem TwoDigitWithTwoDigit(int choice, RandomSource &source);
Problem ChainWithin100(int choice, RandomSource &source);
Problem TablesTo6(int choice, RandomSource &source);
Problem TablesTo9(int choice, RandomSource &source);
Problem MultiplyThenAdd(int choice, RandomSource &source);
Problem TableDivision(int choice, RandomSource &source);
Problem TableBlanks(int choice, RandomSource &source);
Problem DivisionWithRemainder(int choice, RandomSource &source);
Problem TwoSteps(int choice, RandomSource &source);
Problem HundredsAndThousands(int choice, RandomSource &source);
Problem TwoDigitMental(int choice, RandomSource &source);
Problem TimesOneDigit(int choice, RandomSource &source);
Problem DivideByOneDigit(int choice, RandomSource &source);
Problem TimesTens(int choice, RandomSource &source);
Problem ThreeDigitWithTens(int choice, RandomSource &source);
Problem Shortcuts(int choice, RandomSource &source);
Problem SameDenominators(int choice, RandomSource &source);
Problem OnePlaceDecimals(int choice, RandomSource &source);
Problem MovingThePoint(int choice, RandomSource &source);
Problem TwoPlaceDecimals(int choice, RandomSource &source);
Problem DecimalByOneDigit(int choice, RandomSource &source);
Problem UnlikeDenominators(int choice, RandomSource &source);
Problem FractionTimesAndDivide(int choice, RandomSource &source);
Problem PercentOf(int choice, RandomSource &source);

// The problems presets 1 and 2 keep rare: a 0 among the terms.
bool HasZero(const Problem &problem);
// Those presets 15 and 16 keep rare: a factor 1.
bool HasFactorOne(const Problem &problem);

}  // namespace PresetDraws
