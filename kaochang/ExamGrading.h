#pragma once

#include "kaochang/ExamPaper.h"

#include <QStringList>
#include <QtGlobal>

// An answer counts only when its text is exactly the expected number in
// decimal: "0" is right for 5 - 5, but "00", " 0", "+0" or full-width digits
// are wrong, and so is an empty box.
bool AnswerIsRight(const QString &typed, std::int32_t expected);

// right ÷ N × 100 in ten-thousandths of a point, worked as in a double and
// rounded to the nearest (ties to even): 7 of 30 gives 233333.
qint64 ExamScore(int rightCount, int questionCount);

struct ExamGrade {
    QList<bool> Right;  // per problem, in paper order
    // The right value written as a fraction not in lowest terms where 约分
    // is asked: wrong, and marked "要约分".
    QList<bool> NotReduced;
    int RightCount = 0;
    qint64 Score = 0;   // ten-thousandths of a point
};

// typed holds at least one text per problem of the paper. Whole numbers and
// remainders are compared as written; decimals, fractions and percents by
// value, so "0.50" is right for 0.5 and "1 1/6" for 7/6.
ExamGrade GradeAnswers(const QStringList &typed, const ExamPaper &paper);
