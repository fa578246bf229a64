#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QPrintDialog>
#include <QProcess>
#include <QRectF>
#include <QSizeF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <utility>

// Printed practice sheets as a test looks at them: through Qt's print dialog,
// which prints to a PDF file where no printer is set up, and read back from
// the PDF with pdftotext.
namespace PrintedSheets {

// Runs act on Qt's print dialog once it is up and has offered its PDF file,
// which it names a moment after it shows.
inline void WhenTheDialogShows(const std::function<void(QPrintDialog &)> &act, int triesLeft = 500)
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

// The next print dialog writes to pdf, as a parent would choose it.
inline void PrintTheNextSheetTo(const QString &pdf)
{
    WhenTheDialogShows([pdf](QPrintDialog &dialog) {
        if (auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename")))
            file->setText(pdf);
        dialog.accept();
    });
}

// The text of each page, as pdftotext reads it in drawing order.
inline QStringList Pages(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {QStringLiteral("pdftotext failed: ") + QString::fromUtf8(pdftotext.readAllStandardError())};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// A word as pdftotext finds it on a page, its box in points.
struct Word {
    QString text;
    QRectF box;
};

struct WordPage {
    QSizeF size;
    QList<Word> words;
};

// Every page's words with their boxes.
inline QList<WordPage> Words(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<WordPage> pages;
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return pages;
    static const QRegularExpression element(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QRegularExpressionMatch &match : element.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        if (!match.captured(1).isEmpty()) {
            pages.append({QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()), {}});
        } else if (!pages.isEmpty()) {
            pages.last().words.append({match.captured(7), QRectF(QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()),
                                                                 QPointF(match.captured(5).toDouble(), match.captured(6).toDouble()))});
        }
    }
    return pages;
}

// The numbered items of a page, "12" → "15 + 7 =", spaces made single.
inline QList<std::pair<int, QString>> Items(const QString &page)
{
    static const QRegularExpression item(QStringLiteral(R"((\d+)\.\s+([^\n]+))"));
    QList<std::pair<int, QString>> items;
    for (const QRegularExpressionMatch &match : item.globalMatch(page))
        items.append({match.captured(1).toInt(), match.captured(2).simplified()});
    return items;
}

// The same, each item running on to the next one's number: a stacked
// fraction reads as its numerator and denominator on lines of their own,
// "1 2 + 7 10 =" for 1/2 + 7/10 =, so its digits come in writing order. The
// page's number at its foot belongs to no item.
inline QList<std::pair<int, QString>> ItemsAcrossLines(QString page)
{
    static const QRegularExpression start(QStringLiteral(R"((?m)^(\d+)\.\s)"));
    static const QRegularExpression foot(QStringLiteral(R"(第\s*\d+\s*页，\s*共\s*\d+\s*页)"));
    page.remove(foot);
    QList<std::pair<int, QString>> items;
    QList<QRegularExpressionMatch> starts;
    for (const QRegularExpressionMatch &match : start.globalMatch(page))
        starts.append(match);
    for (qsizetype k = 0; k < starts.size(); ++k) {
        const qsizetype from = starts.at(k).capturedEnd();
        const qsizetype to = k + 1 < starts.size() ? starts.at(k + 1).capturedStart() : page.size();
        items.append({starts.at(k).captured(1).toInt(), page.mid(from, to - from).simplified()});
    }
    return items;
}

// The questions and the answers of a printed sheet, each in page order.
struct Sheet {
    QStringList questions;
    QStringList answers;
};

inline Sheet Read(const QString &pdf, bool stacked = false)
{
    Sheet sheet;
    for (const QString &page : Pages(pdf)) {
        QStringList &into = page.contains(QStringLiteral("答案")) ? sheet.answers : sheet.questions;
        for (const auto &[number, text] : stacked ? ItemsAcrossLines(page) : Items(page))
            into << text;
    }
    return sheet;
}

// "15 + 7=" as the sheet prints it, the equals sign standing apart.
inline QString AsPrinted(QString problem)
{
    problem.insert(problem.size() - 1, u' ');
    return problem;
}

}  // namespace PrintedSheets
