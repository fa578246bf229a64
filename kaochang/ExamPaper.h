#pragma once

#include "arithmetic/Presets.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"
#include "arithmetic/ProblemText.h"

#include <QList>
#include <QString>
#include <cstdint>

// One problem of an exam paper, with the text its slot shows ("15 + 7=").
struct ExamProblem {
    std::int32_t FirstOperand = 0;
    std::int32_t SecondOperand = 0;
    std::int32_t Answer = 0;
    QString Text;
    // Kept for the 错题本, which files a missed problem by its operator.
    Operator OperatorCode = Operator::Addition;
    // The whole problem: its terms, blank and kind of answer, which a
    // preset's paper needs; a + b for the range and operation lists.
    Problem Form;
    // 要约分: a fraction answer must be in lowest terms, as the preset the
    // problem came from asks.
    bool LowestTerms = false;

    ArithProblem AsArithProblem() const { return {FirstOperand, OperatorCode, SecondOperand, Answer}; }
};

using ExamPaper = QList<ExamProblem>;

// N problems for range bound R drawn one after the other from source as it
// stands; never reseeds, so a fixed seed gives a fixed paper.
ExamPaper DrawPaper(int N, std::int32_t R, OperationChoice choice, RandomSource &source);

// A new paper: source is reseeded once, then the N problems are drawn in a row.
ExamPaper GeneratePaper(int N, std::int32_t R, OperationChoice choice, RandomSource &source);

// A preset's paper of N problems, without repeats while the preset has
// problems left; source is reseeded once.
ExamPaper GeneratePresetPaper(int N, const Preset &preset, int choice, RandomSource &source);
