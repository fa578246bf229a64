#pragma once

#include "cuotiben/NotebookEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// The notebook file's line format. One line per entry, GBK, six fields
// separated by tabs:
//
//   2024-03-04 <TAB> 练习 <TAB> 9*3 <TAB> 28 <TAB> 0 <TAB> 2024-03-05
//
// the day missed, where (练习, 竞技 or 考试), the problem in a record line's
// style, the child's answer, the right answers since, and the next review
// day or "已消灭" (conquered, with 3 right answers). Dates are yyyy-MM-dd.
//
// A problem of another form (a 课本同步 preset's blank, three terms or
// remainder, decimals, fractions, percents) adds a seventh field, its kind
// of answer ("整数", "商余数", "小数", "分数" or "百分数"), and writes the
// problem as its record line without the answer:
//
//   2024-03-04 <TAB> 练习 <TAB> 8-3+4= <TAB> 8 <TAB> 0 <TAB> 2024-03-05 <TAB> 整数
//   2024-03-04 <TAB> 考试 <TAB> ()+3=10 <TAB> 6 <TAB> 0 <TAB> 2024-03-05 <TAB> 整数
//   2024-03-04 <TAB> 练习 <TAB> 38/5= <TAB> 7……2 <TAB> 0 <TAB> 2024-03-05 <TAB> 商余数
//   2024-03-04 <TAB> 练习 <TAB> 3/4÷3= <TAB> 1/3 <TAB> 0 <TAB> 2024-03-05 <TAB> 分数
//
// A reader of six fields alone finds a tab in the last one and keeps such
// a line as it is, so no copy of the program misreads it.
namespace NotebookLine {

// The longest answer kept; a longer paste keeps its start and "…".
inline constexpr int MaxAnswerLength = 32;

// The answer as the notebook keeps it: every control character (tab, line
// break, NUL) becomes a space, a character GBK cannot store becomes "?", and
// a text longer than MaxAnswerLength is cut.
QString OneLineAnswer(const QString &typed);

// The line for an entry, without its line break.
QByteArray Write(const NotebookEntry &entry);

// The entry a line holds, or nothing when the line is not exactly what Write
// gives for some entry: such a line is not the program's and is kept as it is.
std::optional<NotebookEntry> Read(QByteArrayView line);

// Cuts a file's bytes into lines: CR LF, LF and CR each end one. Empty lines
// are dropped; every other byte, a NUL too, stays in its line.
QList<QByteArray> Split(QByteArrayView bytes);

}  // namespace NotebookLine
