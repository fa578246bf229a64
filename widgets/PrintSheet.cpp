#include "widgets/PrintSheet.h"

#include <QDialog>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>

std::optional<PrintFailure> PrintPracticeSheet(QWidget *parent, const QList<SheetProblem> &problems)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat;
    const QString target = toPdf ? printer.outputFileName() : printer.printerName();
    if (toPdf) {
        // The PDF writer gives no reason of its own when the file cannot be
        // made, so the file is tried first.
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly))
            return PrintFailure{target, file.errorString()};
    }
    if (!DrawPracticeSheet(printer, problems))
        return PrintFailure{target, QStringLiteral("The pages could not be printed")};
    return std::nullopt;
}
