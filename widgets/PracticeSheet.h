#pragma once

#include <QList>
#include <QString>
#include <optional>

class QPagedPaintDevice;

// How a problem of a graded paper was answered: the child's answer as typed
// (empty for a box left blank) and whether it was right.
struct SheetGrade {
    QString typed;
    bool right = false;
};

// One problem of a printed sheet: its text as the exam paper writes it
// ("15 + 7=") and its answer ("22"); on a graded paper also its grade.
struct SheetProblem {
    QString text;
    QString answer;
    std::optional<SheetGrade> grade = {};
};

// What a sheet holds beside its problems.
struct SheetOptions {
    // The page of answers after the problems; a paper to sit goes without.
    bool answerPage = true;
    // A graded paper shows the name written on it and its score; its
    // problems carry their grades.
    bool graded = false;
    QString name = {};
    QString score = {};
    // One set of problem pages for each child.
    int copies = 1;
};

// A 口算 practice sheet on A4 paper: pages titled "口算练习" with lines for
// 姓名, 日期 and 用时, the problems in numbered columns (numbers run down
// each column) with room to write after each, as many pages as they take;
// then, when asked for, the answers, numbered alike, on a page of their own
// (more for a very long sheet). A graded paper has the name and the score
// (成绩) on those lines, and after each problem the child's answer with ✓ or
// ✗. The operands of a column line up by place value. With several copies
// the problem pages are repeated, one set for each child, and the answers
// still come once, at the end. The device is set to A4 portrait before
// painting. Returns false when the device cannot be painted on, such as a
// PDF file that cannot be written.
bool DrawPracticeSheet(QPagedPaintDevice &device, const QList<SheetProblem> &problems,
                       const SheetOptions &options = {});
