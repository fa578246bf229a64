#pragma once

#include "cuotiben/ReviewSchedule.h"

#include <QAbstractTableModel>
#include <QList>

class Notebook;

// One of the 错题本 window's two lists: the problems still to review, or the
// conquered ones ("已消灭"). A row shows the problem as the exam writes it,
// the child's answer, the day it was missed and where (练习, 竞技, 考试), the
// right answers since and the next review day. It reads the notebook and
// keeps only row numbers, so a notebook of any size is listed at once.
// Problems to review come soonest first, so a parent sees what is due
// today, and overdue ones marked "（过期）", at the top; a conquered
// problem wears a star.
class NotebookListModel : public QAbstractTableModel {
public:
    enum class Shows { ToReview, Conquered };
    enum Column { ProblemColumn, AnswerColumn, MissedColumn, SourceColumn, RightColumn, DueColumn, ColumnCount };

    NotebookListModel(const Notebook &notebook, Shows shows, Clock today = SystemToday);

    static QString OverdueMark() { return QStringLiteral("（过期）"); }

    // Lists the notebook afresh, after it changed.
    void Rebuild();
    // The index into the notebook's entries of a row.
    int EntryAt(int row) const { return rows_.at(row); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    const Notebook &notebook_;
    Shows shows_;
    Clock today_;
    QDate listedOn_;
    QList<int> rows_;
};
