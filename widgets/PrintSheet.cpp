#include "widgets/PrintSheet.h"

#include <QCheckBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString &PrintingChild()
{
    static QString name;
    return name;
}

// "口算练习-小雨-2026-12-09": what the print job and its PDF file are called.
QString JobName(const QString &documentName)
{
    QStringList parts{documentName};
    // A name is the child's to choose; a slash in it must not make a folder.
    if (!PrintingChild().isEmpty())
        parts << QString(PrintingChild()).replace(u'/', u'-');
    parts << QDate::currentDate().toString(Qt::ISODate);
    return parts.join(u'-');
}

QString DefaultPdfPath(const QString &jobName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(jobName + QStringLiteral(".pdf"));
}

// The choice's own page among the dialog's options, which open on it: they
// are folded away otherwise, and a teacher would not find it. The dialog
// owns the page.
QCheckBox *OfferChoice(QPrintDialog &dialog, const PrintChoice &choice)
{
    auto *page = new QWidget;
    page->setWindowTitle(QStringLiteral("试卷"));
    auto *box = new QCheckBox(choice.caption, page);
    box->setObjectName(QStringLiteral("CheckBox1"));
    box->setChecked(choice.chosen);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();
    dialog.setOptionTabs({page});
    // The dialog's own slot behind its 选项 >> button.
    QMetaObject::invokeMethod(&dialog, "_q_collapseOrExpandDialog");
    for (QWidget *parent = page->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(parent)) {
            tabs->setCurrentWidget(page);
            break;
        }
    }
    return box;
}

}  // namespace

void SetPrintingChild(const QString &name)
{
    PrintingChild() = name;
}

std::optional<PrintFailure> PrintPracticeSheet(QWidget *parent, const QList<SheetProblem> &problems,
                                               const QString &documentName, const SheetOptions &options,
                                               bool offerAnswerPage)
{
    PrintChoice answers{QStringLiteral("附答案页")};
    const bool offered = offerAnswerPage && !options.answerPage;
    return PrintPages(
        parent, documentName,
        [&problems, &options, &answers](QPagedPaintDevice &device, int copies) {
            SheetOptions sheet = options;
            sheet.copies = copies;
            sheet.answerPage = options.answerPage || answers.chosen;
            return DrawPracticeSheet(device, problems, sheet);
        },
        offered ? &answers : nullptr);
}

std::optional<PrintFailure> PrintPages(QWidget *parent, const QString &documentName,
                                       const std::function<bool(QPagedPaintDevice &, int copies)> &draw,
                                       PrintChoice *choice)
{
    const QString jobName = JobName(documentName);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(jobName);
    // With no printer to choose the dialog offers a PDF file, but names only
    // a folder; the sheet's name in the documents folder is what a parent
    // would pick.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(DefaultPdfPath(jobName));
    QPrintDialog dialog(&printer, parent);
    QCheckBox *choiceBox = choice ? OfferChoice(dialog, *choice) : nullptr;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (choice)
        choice->chosen = choiceBox->isChecked();
    const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat;
    const QString target = toPdf ? printer.outputFileName() : printer.printerName();
    if (toPdf) {
        // The PDF writer gives no reason of its own when the file cannot be
        // made, so the file is tried first.
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly))
            return PrintFailure{target, file.errorString()};
    }
    // The drawing makes the copies itself, so that a sheet's answers print once.
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    if (!draw(printer, copies))
        return PrintFailure{target, QStringLiteral("The pages could not be printed")};
    return std::nullopt;
}
