#include "arithmetic/ProblemTexts.h"
#include "arithmetic/Recipe.h"

#include <QSet>
#include <QTest>
#include <algorithm>

namespace {

RecipeRow PresetRow(int id, int choice, int count)
{
    return {.Pick = {id, choice}, .Count = count};
}

RecipeRow ClassicRow(std::int32_t range, OperationChoice operation, int count)
{
    return {.Range = range, .Operation = operation, .Count = count};
}

QStringList Lines(const QList<Problem> &paper)
{
    QStringList lines;
    for (const Problem &problem : paper)
        lines << PrintedText(problem);
    return lines;
}

QStringList Lines(const QList<PaperQuestion> &paper)
{
    QStringList lines;
    for (const PaperQuestion &question : paper)
        lines << PrintedText(question.Question);
    return lines;
}

}  // namespace

Q_DECLARE_METATYPE(QList<RecipeRow>)

class tst_Recipe : public QObject {
    Q_OBJECT

private slots:
    void totalAndValidity_data();
    void totalAndValidity();
    void inOrderKeepsRowsTogetherShuffledMixesThem();
    void aPresetsRowsShareItsProblems();
    void shortOfProblemsIsToldBeforeThePaper_data();
    void shortOfProblemsIsToldBeforeThePaper();
};

void tst_Recipe::totalAndValidity_data()
{
    QTest::addColumn<QList<RecipeRow>>("rows");
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("valid");
    QTest::newRow("80 and 20, as a teacher writes it")
        << QList{ClassicRow(20, OperationChoice::AddSubtract, 80), ClassicRow(100, OperationChoice::AddSubtract, 20)}
        << 100 << true;
    QTest::newRow("ten of one unit") << QList{PresetRow(18, 0, 10)} << 10 << true;
    QTest::newRow("nine is too few") << QList{PresetRow(18, 0, 9)} << 9 << false;
    QTest::newRow("101 is too many") << QList{PresetRow(18, 0, 51), PresetRow(6, 0, 50)} << 101 << false;
    QTest::newRow("seven rows") << QList<RecipeRow>(7, PresetRow(18, 0, 2)) << 14 << false;
    QTest::newRow("no rows") << QList<RecipeRow>() << 0 << false;
    QTest::newRow("a row of none") << QList{PresetRow(18, 0, 10), PresetRow(6, 0, 0)} << 10 << false;
    QTest::newRow("a unit not in the table") << QList{PresetRow(99, 0, 10)} << 10 << false;
    QTest::newRow("a choice the unit lacks") << QList{PresetRow(18, 5, 10)} << 10 << false;
    QTest::newRow("a range not in the list") << QList{ClassicRow(30, OperationChoice::Mixed, 10)} << 10 << false;
}

void tst_Recipe::totalAndValidity()
{
    QFETCH(QList<RecipeRow>, rows);
    const Recipe recipe{.Rows = rows};
    QTEST(recipe.Total(), "total");
    QTEST(recipe.IsValid(), "valid");
}

// Drawn from one seed, the shuffled paper holds the questions of the one in
// order, no longer row by row.
void tst_Recipe::inOrderKeepsRowsTogetherShuffledMixesThem()
{
    Recipe recipe{.Rows = {PresetRow(18, 0, 20), ClassicRow(100, OperationChoice::AddSubtract, 20)}};
    RandomSource source(7);
    const QStringList inOrder = Lines(DrawRecipePaper(recipe, source));
    QCOMPARE(inOrder.size(), 40);
    for (int k = 0; k < 40; ++k)
        QVERIFY2(inOrder.at(k).contains(u'÷') == (k < 20), qPrintable(inOrder.at(k)));

    recipe.Order = RecipeOrder::Shuffled;
    source = RandomSource(7);
    QStringList shuffled = Lines(DrawRecipePaper(recipe, source));
    QVERIFY(shuffled != inOrder);
    QVERIFY(std::any_of(shuffled.cbegin(), shuffled.cbegin() + 20, [](const QString &line) { return !line.contains(u'÷'); }));
    QStringList sortedInOrder = inOrder;
    sortedInOrder.sort();
    shuffled.sort();
    QCOMPARE(shuffled, sortedInOrder);
}

// Two rows of one unit with another between them: no problem twice across
// them while the unit has others.
void tst_Recipe::aPresetsRowsShareItsProblems()
{
    const Recipe recipe{.Rows = {PresetRow(18, 0, 15), PresetRow(15, 0, 10), PresetRow(18, 0, 15)}};
    RandomSource source(11);
    const QStringList paper = Lines(DrawRecipePaper(recipe, source));
    QStringList division = paper.mid(0, 15) + paper.mid(25, 15);
    QCOMPARE(QSet<QString>(division.cbegin(), division.cend()).size(), 30);
    QVERIFY(std::none_of(paper.cbegin() + 15, paper.cbegin() + 25, [](const QString &line) { return line.contains(u'÷'); }));
}

// The count a warning gives is the unit's own: a paper of that many has no
// repeat, one more has one.
void tst_Recipe::shortOfProblemsIsToldBeforeThePaper_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("choice");
    QTest::newRow("凑十") << 3 << 0;
    QTest::newRow("20以内进位加法 · 9加几") << 6 << 0;
    QTest::newRow("表内除法") << 18 << 0;
}

void tst_Recipe::shortOfProblemsIsToldBeforeThePaper()
{
    QFETCH(int, id);
    QFETCH(int, choice);
    const Preset &preset = *FindPreset(id);
    const int held = DistinctProblems(preset, choice);
    QVERIFY(held < Recipe::MaxTotal);
    // Asked in two rows, with a classic row between that never counts.
    int asked = 2;
    std::optional<QString> warning;
    for (; asked <= Recipe::MaxTotal - 10 && !warning; ++asked) {
        const Recipe recipe{.Rows = {PresetRow(id, choice, asked / 2), ClassicRow(10, OperationChoice::AddSubtract, 10),
                                     PresetRow(id, choice, asked - asked / 2)}};
        warning = ShortOfProblems(recipe);
    }
    --asked;
    QVERIFY(warning);
    QVERIFY2(warning->startsWith(PresetTitle(preset, choice) + QStringLiteral("只有 %1 道不同的题，组卷要 %2 道").arg(asked - 1).arg(asked)),
             qPrintable(*warning));
    for (const int count : {asked - 1, asked}) {
        RandomSource source(static_cast<std::uint32_t>(count));
        const QStringList paper = Lines(DrawPaper(preset, choice, count, source));
        QCOMPARE(QSet<QString>(paper.cbegin(), paper.cend()).size(), asked - 1);
    }
}

QTEST_GUILESS_MAIN(tst_Recipe)
#include "tst_recipe.moc"
