#include "widgets/PrintSheet.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs act on Qt's print dialog once it is up and has offered its PDF file,
// which it names a moment after it shows.
void WhenTheDialogShows(const std::function<void(QPrintDialog &)> &act, int triesLeft = 500)
{
    QTimer::singleShot(10, [act, triesLeft] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        auto *file = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("filename")) : nullptr;
        if (dialog && (triesLeft == 0 || (file && file->text().endsWith(QStringLiteral(".pdf")))))
            act(*dialog);
        else
            WhenTheDialogShows(act, triesLeft - 1);
    });
}

QString TextOf(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

const QList<SheetProblem> kSheet{{QStringLiteral("15 + 7="), QStringLiteral("22")},
                                 {QStringLiteral("56 ÷ 8="), QStringLiteral("7")}};

}  // namespace

class tst_PrintSheet : public QObject {
    Q_OBJECT

private slots:
    // The dialog's own choice of a PDF file, as a parent would make it on a
    // machine without a printer.
    void printsToThePdfFileChosenInTheDialog()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is set up, so the dialog offers it rather than a file");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("错题.pdf"));
        QString offered;
        WhenTheDialogShows([&](QPrintDialog &dialog) {
            auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
            QVERIFY(file);
            offered = file->text();
            file->setText(pdf);
            dialog.accept();
        });
        const std::optional<PrintFailure> failure = PrintPracticeSheet(nullptr, kSheet);
        QVERIFY2(!failure, failure ? qPrintable(failure->target + QLatin1Char(' ') + failure->reason) : "");
        // The file offered is named after the sheet.
        QVERIFY2(offered.endsWith(QStringLiteral("/口算练习.pdf")), qPrintable(offered));
        QVERIFY(QFile::exists(pdf));
        const QString text = TextOf(pdf);
        QVERIFY2(text.contains(QStringLiteral("1. 15 + 7 =")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("2. 7")));
    }

    void cancellingPrintsNothing()
    {
        WhenTheDialogShows([](QPrintDialog &dialog) { dialog.reject(); });
        QCOMPARE(PrintPracticeSheet(nullptr, kSheet).has_value(), false);
    }
};

QTEST_MAIN(tst_PrintSheet)
#include "tst_printsheet.moc"
