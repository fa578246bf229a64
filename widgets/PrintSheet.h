#pragma once

#include "widgets/PracticeSheet.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QWidget;

// Where a sheet could not go: the PDF file or the printer, and why.
struct PrintFailure {
    QString target;
    QString reason;
};

// A yes-or-no choice about what to print, offered with the dialog's options
// (its page beside the copies); chosen holds the answer once printed.
struct PrintChoice {
    QString caption;
    bool chosen = false;
};

// The child the pages are printed for, whose name the PDF file offered
// carries; the menu sets it whenever the child changes.
void SetPrintingChild(const QString &name);

// Shows Qt's print dialog over parent (its printers include printing to a PDF
// file) and prints the pages where the user chose. documentName names the
// print job, and the PDF file offered when there is no printer: the document,
// the child and the day ("口算练习-小雨-2026-12-09.pdf" in the documents
// folder), so that one sheet never overwrites another. draw gets the printer
// with one copy set and the number of copies chosen, and returns false when
// it failed; a choice, when given, is offered in the dialog and answered
// before draw is called. Nothing comes back when it was printed or the dialog
// was cancelled.
std::optional<PrintFailure> PrintPages(QWidget *parent, const QString &documentName,
                                       const std::function<bool(QPagedPaintDevice &, int copies)> &draw,
                                       PrintChoice *choice = nullptr);

// The practice sheet through PrintPages. The copies chosen repeat the
// problems, never the answers. With offerAnswerPage a sheet printed without
// its answers offers them as "附答案页", off until ticked.
std::optional<PrintFailure> PrintPracticeSheet(QWidget *parent, const QList<SheetProblem> &problems,
                                               const QString &documentName = QStringLiteral("口算练习"),
                                               const SheetOptions &options = {}, bool offerAnswerPage = false);
