#pragma once

#include "arithmetic/ProblemGenerator.h"

#include <QString>

// The sign as a paper writes it, with a space either side: " + ", " - ",
// " × ", " ÷ ".
QString ExamOperatorText(Operator op);

// First operand, sign, second operand and "=", with nothing after it: the
// problem as the exam paper, the printed sheets and the 错题本 show it.
QString ExamProblemText(const ArithProblem &problem);
