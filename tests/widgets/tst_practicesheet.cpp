#include "widgets/PracticeSheet.h"

#include <QDir>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A paper of count problems of every operator and size: numbers of one to
// five digits, answers up to nine.
QList<SheetProblem> Paper(int count)
{
    const QStringList signs{QStringLiteral(" + "), QStringLiteral(" - "), QStringLiteral(" × "),
                            QStringLiteral(" ÷ ")};
    QList<SheetProblem> paper;
    for (int i = 0; i < count; ++i) {
        int first = (i * 7919) % 10000 + 1;
        int second = (i * 104729) % 10000 + 1;
        long long answer = 0;
        switch (i % 4) {
        case 0:
            answer = first + second;
            break;
        case 1:
            second = second % first + 1;
            answer = first - second;
            break;
        case 2:
            answer = static_cast<long long>(first) * second;
            break;
        default:
            // Exact, with the dividend within the range as the exam's are.
            second = second % std::min(first, 99) + 1;
            first -= first % second;
            answer = first / second;
            break;
        }
        paper.append({QString::number(first) + signs.at(i % 4) + QString::number(second) + u'=',
                      QString::number(answer)});
    }
    return paper;
}

// The text of each page, as pdftotext reads it in drawing order.
QStringList PagesOf(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {QStringLiteral("pdftotext failed: ") + QString::fromUtf8(pdftotext.readAllStandardError())};
    // The PDF maps some CJK glyphs back to their compatibility forms (口 as
    // the Kangxi radical ⼝); they look the same, and NFKC makes them one.
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput())
                            .normalized(QString::NormalizationForm_KC)
                            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The numbered items of a page, "12" → "15 + 7 =", spaces made single.
QList<std::pair<int, QString>> Items(const QString &page)
{
    static const QRegularExpression item(QStringLiteral(R"((\d+)\.\s+([^\n]+))"));
    QList<std::pair<int, QString>> items;
    for (const QRegularExpressionMatch &match : item.globalMatch(page))
        items.append({match.captured(1).toInt(), match.captured(2).simplified()});
    return items;
}

}  // namespace

class tst_PracticeSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void aHundredProblemsReadBackInOrderWithTheirAnswers();
    void aLongPaperTakesAsManyPagesAsItNeeds();
    void aFileThatCannotBeWrittenIsReported();

private:
    QString Print(const QList<SheetProblem> &paper, const QString &name);

    QTemporaryDir dir_;
};

void tst_PracticeSheet::initTestCase()
{
    QVERIFY(dir_.isValid());
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(), "poppler-utils is needed");
}

QString tst_PracticeSheet::Print(const QList<SheetProblem> &paper, const QString &name)
{
    const QString pdf = dir_.filePath(name);
    QPdfWriter writer(pdf);
    if (!DrawPracticeSheet(writer, paper))
        return {};
    return pdf;
}

void tst_PracticeSheet::aHundredProblemsReadBackInOrderWithTheirAnswers()
{
    const QList<SheetProblem> paper = Paper(100);
    const QString pdf = Print(paper, QStringLiteral("hundred.pdf"));
    QVERIFY(!pdf.isEmpty());
    const QStringList pages = PagesOf(pdf);
    QVERIFY2(pages.size() >= 2, qPrintable(pages.join(u'|')));

    // Every question page has its title and the three lines to fill in.
    const QStringList questionPages = pages.mid(0, pages.size() - 1);
    QList<std::pair<int, QString>> questions;
    for (const QString &page : questionPages) {
        for (const QString &heading :
             {QStringLiteral("口算练习"), QStringLiteral("姓名"), QStringLiteral("日期"), QStringLiteral("用时")})
            QVERIFY2(page.contains(heading), qPrintable(heading));
        questions += Items(page);
    }
    QCOMPARE(questions.size(), 100);
    for (int i = 0; i < 100; ++i) {
        QCOMPARE(questions.at(i).first, i + 1);
        // "15 + 7=" is printed with the sign standing apart: "15 + 7 =".
        QString expected = paper.at(i).text;
        expected.insert(expected.size() - 1, u' ');
        QCOMPARE(questions.at(i).second, expected);
    }
    // No answer shows among the questions.
    for (const QString &page : questionPages)
        QVERIFY(!page.contains(QStringLiteral("答案")));

    const QString answerPage = pages.last();
    QVERIFY(answerPage.contains(QStringLiteral("答案")));
    const QList<std::pair<int, QString>> answers = Items(answerPage);
    QCOMPARE(answers.size(), 100);
    for (int i = 0; i < 100; ++i) {
        QCOMPARE(answers.at(i).first, i + 1);
        QCOMPARE(answers.at(i).second, paper.at(i).answer);
    }
    // The footer counts every page: "第 4 页，共 4 页".
    const QRegularExpression footer(QStringLiteral("第 (\\d+) .*共 (\\d+)"));
    const QRegularExpressionMatch last = footer.match(answerPage);
    QVERIFY(last.hasMatch());
    QCOMPARE(last.captured(1).toInt(), pages.size());
    QCOMPARE(last.captured(2).toInt(), pages.size());
}

void tst_PracticeSheet::aLongPaperTakesAsManyPagesAsItNeeds()
{
    const QList<SheetProblem> paper = Paper(400);
    const QStringList pages = PagesOf(Print(paper, QStringLiteral("long.pdf")));
    QList<std::pair<int, QString>> questions;
    QList<std::pair<int, QString>> answers;
    for (const QString &page : pages)
        (page.contains(QStringLiteral("答案")) ? answers : questions) += Items(page);
    QCOMPARE(questions.size(), 400);
    QCOMPARE(answers.size(), 400);
    QCOMPARE(questions.last().first, 400);
    QCOMPARE(answers.last().second, paper.last().answer);
    QVERIFY(pages.size() >= 6);

    const QStringList empty = PagesOf(Print({}, QStringLiteral("empty.pdf")));
    QCOMPARE(empty.size(), 2);
    QVERIFY(Items(empty.join(u'\n')).isEmpty());
}

void tst_PracticeSheet::aFileThatCannotBeWrittenIsReported()
{
    QPdfWriter writer(dir_.filePath(QStringLiteral("missing/sheet.pdf")));
    QVERIFY(!DrawPracticeSheet(writer, Paper(10)));
}

QTEST_MAIN(tst_PracticeSheet)
#include "tst_practicesheet.moc"
