#pragma once

#include "widgets/PracticeSheet.h"

#include <QList>
#include <QString>
#include <optional>

class QWidget;

// Where a sheet could not go: the PDF file or the printer, and why.
struct PrintFailure {
    QString target;
    QString reason;
};

// Shows Qt's print dialog over parent (its printers include printing to a PDF
// file) and prints the practice sheet where the user chose. documentName
// names the print job, and the PDF file offered when there is no printer
// ("口算练习.pdf" in the documents folder). The copies chosen repeat the
// problems, never the answers. Nothing comes back when it was printed or the
// dialog was cancelled.
std::optional<PrintFailure> PrintPracticeSheet(QWidget *parent, const QList<SheetProblem> &problems,
                                               const QString &documentName = QStringLiteral("口算练习"),
                                               const SheetOptions &options = {});
