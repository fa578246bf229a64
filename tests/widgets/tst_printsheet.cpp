#include "support/PrintedSheets.h"
#include "widgets/PrintSheet.h"

#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

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
        PrintedSheets::WhenTheDialogShows([&](QPrintDialog &dialog) {
            auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
            QVERIFY(file);
            offered = file->text();
            file->setText(pdf);
            dialog.accept();
        });
        SetPrintingChild(QStringLiteral("小雨"));
        const std::optional<PrintFailure> failure = PrintPracticeSheet(nullptr, kSheet);
        SetPrintingChild(QString());
        QVERIFY2(!failure, failure ? qPrintable(failure->target + QLatin1Char(' ') + failure->reason) : "");
        // The file offered is named after the sheet, the child and the day,
        // so that yesterday's sheet stays.
        const QString named = QStringLiteral("/口算练习-小雨-%1.pdf").arg(QDate::currentDate().toString(Qt::ISODate));
        QVERIFY2(offered.endsWith(named), qPrintable(offered));
        QVERIFY(QFile::exists(pdf));
        const PrintedSheets::Sheet sheet = PrintedSheets::Read(pdf);
        QCOMPARE(sheet.questions, (QStringList{QStringLiteral("15 + 7 ="), QStringLiteral("56 ÷ 8 =")}));
        QCOMPARE(sheet.answers, (QStringList{QStringLiteral("22"), QStringLiteral("7")}));
    }

    // Three copies for three children: the problems three times, the
    // answers, which the parent keeps, once at the end.
    void severalCopiesPrintTheAnswersOnce()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is set up, so the dialog offers it rather than a file");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("三份.pdf"));
        PrintedSheets::WhenTheDialogShows([&](QPrintDialog &dialog) {
            dialog.findChild<QLineEdit *>(QStringLiteral("filename"))->setText(pdf);
            auto *copies = dialog.findChild<QSpinBox *>(QStringLiteral("copies"));
            QVERIFY(copies);
            copies->setValue(3);
            dialog.accept();
        });
        QVERIFY(!PrintPracticeSheet(nullptr, kSheet));
        const QStringList pages = PrintedSheets::Pages(pdf);
        QCOMPARE(pages.size(), 4);
        for (int copy = 0; copy < 3; ++copy) {
            QVERIFY2(pages.at(copy).contains(QStringLiteral("56 ÷ 8")), qPrintable(pages.at(copy)));
            QVERIFY(!pages.at(copy).contains(QStringLiteral("口算练习答案")));
        }
        QVERIFY(pages.at(3).contains(QStringLiteral("口算练习答案")));
    }

    void cancellingPrintsNothing()
    {
        PrintedSheets::WhenTheDialogShows([](QPrintDialog &dialog) { dialog.reject(); });
        QCOMPARE(PrintPracticeSheet(nullptr, kSheet).has_value(), false);
    }
};

QTEST_MAIN(tst_PrintSheet)
#include "tst_printsheet.moc"
