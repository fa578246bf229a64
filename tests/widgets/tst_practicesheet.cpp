#include "support/PrintedSheets.h"
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

}  // namespace

class tst_PracticeSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void aHundredProblemsReadBackInOrderWithTheirAnswers();
    void aLongPaperTakesAsManyPagesAsItNeeds();
    void aFileThatCannotBeWrittenIsReported();
    void fractionsPrintStacked_data();
    void fractionsPrintStacked();

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
    const QStringList pages = PrintedSheets::Pages(pdf);
    QVERIFY2(pages.size() >= 2, qPrintable(pages.join(u'|')));

    // Every question page has its title and the three lines to fill in.
    const QStringList questionPages = pages.mid(0, pages.size() - 1);
    QList<std::pair<int, QString>> questions;
    for (const QString &page : questionPages) {
        for (const QString &heading :
             {QStringLiteral("口算练习"), QStringLiteral("姓名"), QStringLiteral("日期"), QStringLiteral("用时")})
            QVERIFY2(page.contains(heading), qPrintable(heading));
        questions += PrintedSheets::Items(page);
    }
    QCOMPARE(questions.size(), 100);
    for (int i = 0; i < 100; ++i) {
        QCOMPARE(questions.at(i).first, i + 1);
        QCOMPARE(questions.at(i).second, PrintedSheets::AsPrinted(paper.at(i).text));
    }
    // No answer shows among the questions.
    for (const QString &page : questionPages)
        QVERIFY(!page.contains(QStringLiteral("答案")));

    const QString answerPage = pages.last();
    QVERIFY(answerPage.contains(QStringLiteral("答案")));
    const QList<std::pair<int, QString>> answers = PrintedSheets::Items(answerPage);
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
    const QStringList pages = PrintedSheets::Pages(Print(paper, QStringLiteral("long.pdf")));
    QList<std::pair<int, QString>> questions;
    QList<std::pair<int, QString>> answers;
    for (const QString &page : pages)
        (page.contains(QStringLiteral("答案")) ? answers : questions) += PrintedSheets::Items(page);
    QCOMPARE(questions.size(), 400);
    QCOMPARE(answers.size(), 400);
    QCOMPARE(questions.last().first, 400);
    QCOMPARE(answers.last().second, paper.last().answer);
    QVERIFY(pages.size() >= 6);

    const QStringList empty = PrintedSheets::Pages(Print({}, QStringLiteral("empty.pdf")));
    QCOMPARE(empty.size(), 2);
    QVERIFY(PrintedSheets::Items(empty.join(u'\n')).isEmpty());
}

void tst_PracticeSheet::aFileThatCannotBeWrittenIsReported()
{
    QPdfWriter writer(dir_.filePath(QStringLiteral("missing/sheet.pdf")));
    QVERIFY(!DrawPracticeSheet(writer, Paper(10)));
}

void tst_PracticeSheet::fractionsPrintStacked_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("answer");
    // The numbers as drawn, each numerator before its denominator.
    QTest::addColumn<QStringList>("problemDigits");
    QTest::addColumn<QStringList>("answerDigits");
    QTest::addColumn<int>("fractions");
    QTest::newRow("fraction by a whole number") << QStringLiteral("3/4 ÷ 3=") << QStringLiteral("1/4")
                                                << QStringList{"3", "4", "3"} << QStringList{"1", "4"} << 2;
    QTest::newRow("like denominators") << QStringLiteral("2/7 + 3/7=") << QStringLiteral("5/7")
                                       << QStringList{"2", "7", "3", "7"} << QStringList{"5", "7"} << 3;
    QTest::newRow("two-digit denominator") << QStringLiteral("5/12 - 1/3=") << QStringLiteral("1/12")
                                           << QStringList{"5", "12", "1", "3"} << QStringList{"1", "12"} << 3;
    QTest::newRow("three terms") << QStringLiteral("1 - 3/8 + 1/8=") << QStringLiteral("3/4")
                                 << QStringList{"1", "3", "8", "1", "8"} << QStringList{"3", "4"} << 3;
    QTest::newRow("mixed answer") << QStringLiteral("7/12 × 2=") << QStringLiteral("1 1/6")
                                  << QStringList{"7", "12", "2"} << QStringList{"1", "1", "6"} << 2;
}

void tst_PracticeSheet::fractionsPrintStacked()
{
    QFETCH(QString, problem);
    QFETCH(QString, answer);
    QFETCH(QStringList, problemDigits);
    QFETCH(QStringList, answerDigits);
    QFETCH(int, fractions);
    const QString pdf = Print({{problem, answer}}, QStringLiteral("fractions.pdf"));
    QVERIFY(!pdf.isEmpty());
    // Read in drawing order, the numbers after the problem's "1." and
    // before the footer.
    const QStringList pages = PrintedSheets::Pages(pdf);
    QCOMPARE(pages.size(), 2);
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    const auto numbers = [](const QString &page) {
        const qsizetype from = page.indexOf(QStringLiteral("1.")) + 2;
        QStringList found;
        for (const QRegularExpressionMatch &match : digits.globalMatch(page.mid(from, page.indexOf(u'第') - from)))
            found << match.captured();
        return found;
    };
    QCOMPARE(numbers(pages.at(0)), problemDigits);
    QCOMPARE(numbers(pages.at(1)), answerDigits);

    // Each fraction stands stacked: a number right above another, sharing its column.
    int stacked = 0;
    for (const PrintedSheets::WordPage &page : PrintedSheets::Words(pdf)) {
        for (const PrintedSheets::Word &over : page.words) {
            for (const PrintedSheets::Word &under : page.words) {
                const bool numbers = over.text.toInt() > 0 && under.text.toInt() > 0;
                if (numbers && under.box.center().y() - over.box.center().y() > over.box.height() / 2
                    && under.box.center().y() - over.box.center().y() < over.box.height()
                    && over.box.center().x() > under.box.left() && over.box.center().x() < under.box.right())
                    ++stacked;
            }
        }
    }
    QCOMPARE(stacked, fractions);
}

QTEST_MAIN(tst_PracticeSheet)
#include "tst_practicesheet.moc"
