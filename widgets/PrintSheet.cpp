#include "widgets/PrintSheet.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

QString DefaultPdfPath(const QString &documentName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(documentName + QStringLiteral(".pdf"));
}

}  // namespace

std::optional<PrintFailure> PrintPracticeSheet(QWidget *parent, const QList<SheetProblem> &problems,
                                               const QString &documentName, const SheetOptions &options)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(documentName);
    // With no printer to choose the dialog offers a PDF file, but names only
    // a folder; the sheet's name in the documents folder is what a parent
    // would pick.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(DefaultPdfPath(documentName));
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
    // The copies are made here, so that the answers print once.
    SheetOptions sheet = options;
    sheet.copies = printer.copyCount();
    printer.setCopyCount(1);
    if (!DrawPracticeSheet(printer, problems, sheet))
        return PrintFailure{target, QStringLiteral("The pages could not be printed")};
    return std::nullopt;
}
