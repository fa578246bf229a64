#pragma once

#include "arithmetic/ProblemGenerator.h"

#include <QString>

// The sign as a paper writes it, with a space either side: " + ", " - ",
// " × ", " ÷ ".
QString ExamOperatorText(Operator op);

// First operand, sign, second operand and "=", with nothing after it: the
// problem as the exam paper, the printed sheets and the 错题本 show it.
QString ExamProblemText(const ArithProblem &problem);

// The whole right equation as a child reads it under the problem: "4+5=9",
// "9×3=27".
QString EquationText(const ArithProblem &problem);

// The problem as a screen reader says it, up to the equals sign: "12加7等于".
// "8除2" would be two divided by eight, so division is "除以".
QString SpokenProblem(const ArithProblem &problem);

// The whole right equation spoken: "4加5等于9".
QString SpokenEquation(const ArithProblem &problem);
