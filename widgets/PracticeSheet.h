#pragma once

#include <QList>
#include <QString>

class QPagedPaintDevice;

// One problem of a printed sheet: its text as the exam paper writes it
// ("15 + 7=") and its answer ("22").
struct SheetProblem {
    QString text;
    QString answer;
};

// A 口算 practice sheet on A4 paper: pages titled "口算练习" with lines for
// 姓名, 日期 and 用时, the problems in numbered columns (numbers run down
// each column) with room to write after each, as many pages as they take;
// then the answers, numbered alike, on a page of their own (more for a very
// long sheet). The operands of a column line up by place value. With several
// copies the problem pages are repeated, one set for each child, and the
// answers still come once, at the end. The device is set to A4 portrait
// before painting. Returns false when the device cannot be painted on, such
// as a PDF file that cannot be written.
bool DrawPracticeSheet(QPagedPaintDevice &device, const QList<SheetProblem> &problems, int copies = 1);
