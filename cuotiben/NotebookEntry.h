#pragma once

#include "arithmetic/Problem.h"

#include <QDate>
#include <QString>
#include <cstdint>

// Where a problem was missed.
enum class MissSource { Practice, Competition, Exam };

// "练习", "竞技" or "考试", as the notebook shows and stores it.
QString MissSourceText(MissSource source);

// One problem of the 错题本 (the notebook of missed problems).
struct NotebookEntry {
    // In its whole form: a preset's blank, three terms or remainder too.
    ::Problem Problem;
    // The child's answer as typed when it was last missed, on one line; empty
    // for an exam box left blank.
    QString Answer;
    // The day it was last missed.
    QDate Missed;
    MissSource Source = MissSource::Practice;
    // Right answers in reviews since it was last missed.
    int RightCount = 0;
    // The next review day; null once the problem is conquered ("已消灭").
    QDate Due;

    bool Conquered() const { return !Due.isValid(); }
};

// The notebook holds one entry per problem: two problems are the same when
// their operands and operator are. 3+4 and 4+3 are two problems. Operands of
// 1 or more are assumed, as every problem the program makes has. Any other
// form (a blank, three terms, a remainder) has a key of its own kind.
std::uint64_t ProblemKey(const ::Problem &problem);
