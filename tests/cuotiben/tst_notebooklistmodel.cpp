#include "cuotiben/Notebook.h"
#include "cuotiben/NotebookListModel.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kMonday(2024, 3, 4);

QStringList Row(const NotebookListModel &model, int row)
{
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.index(row, column).data().toString();
    return texts;
}

}  // namespace

class tst_NotebookListModel : public QObject {
    Q_OBJECT

private slots:
    // Each entry shows in exactly one of the two lists, and moves over when
    // it is conquered or missed again.
    void theTwoListsShareTheEntries()
    {
        QTemporaryDir dir;
        Notebook notebook(Notebook::PathIn(dir.path()));
        notebook.NoteMiss({9, Operator::Multiplication, 3, 27}, QStringLiteral("28"), MissSource::Practice, kMonday);
        notebook.NoteMiss({56, Operator::Division, 8, 7}, QString(), MissSource::Exam, kMonday);
        const Clock tuesday = [] { return kMonday.addDays(1); };
        NotebookListModel toReview(notebook, NotebookListModel::Shows::ToReview, tuesday);
        NotebookListModel conquered(notebook, NotebookListModel::Shows::Conquered, tuesday);
        QCOMPARE(toReview.rowCount(), 2);
        QCOMPARE(conquered.rowCount(), 0);
        QCOMPARE(Row(toReview, 0), (QStringList{"9 × 3=", "28", "2024-03-04", "练习", "0", "2024-03-05"}));
        QCOMPARE(Row(toReview, 1), (QStringList{"56 ÷ 8=", "（未答）", "2024-03-04", "考试", "0", "2024-03-05"}));

        const ArithProblem division{56, Operator::Division, 8, 7};
        for (const int day : {1, 4, 11, 25, 55})
            notebook.NoteReview(division, true, QStringLiteral("7"), kMonday.addDays(day));
        toReview.Rebuild();
        conquered.Rebuild();
        QCOMPARE(toReview.rowCount(), 1);
        QCOMPARE(conquered.rowCount(), 1);
        QCOMPARE(conquered.EntryAt(0), 1);
        QCOMPARE(Row(conquered, 0).mid(4), (QStringList{"5", "已消灭"}));

        notebook.NoteMiss(division, QStringLiteral("6"), MissSource::Competition, kMonday.addDays(60));
        toReview.Rebuild();
        conquered.Rebuild();
        QCOMPARE(toReview.rowCount(), 2);
        QCOMPARE(conquered.rowCount(), 0);
        QCOMPARE(toReview.headerData(NotebookListModel::DueColumn, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("下次复习"));
    }

    // A screen reader says a fraction problem as it is read, while the list
    // draws it stacked; a whole-number problem is read as it is written.
    void aFractionProblemIsSaidAsItIsRead_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("said");
        QTest::newRow("whole numbers") << QStringLiteral("9×3") << QStringLiteral("9 × 3=") << QString();
        QTest::newRow("fraction by a whole number") << QStringLiteral("3/4÷3") << QStringLiteral("3/4 ÷ 3=")
                                                    << QStringLiteral("四分之三除以3等于");
    }

    void aFractionProblemIsSaidAsItIsRead()
    {
        QFETCH(QString, problem);
        QFETCH(QString, shown);
        QFETCH(QString, said);
        QTemporaryDir dir;
        Notebook notebook(Notebook::PathIn(dir.path()));
        notebook.NoteMiss(*ProblemOfText(problem), QStringLiteral("1"), MissSource::Practice, kMonday);
        NotebookListModel list(notebook, NotebookListModel::Shows::ToReview, [] { return kMonday; });
        const QModelIndex cell = list.index(0, NotebookListModel::ProblemColumn);
        QCOMPARE(cell.data().toString(), shown);
        QCOMPARE(cell.data(Qt::AccessibleTextRole).toString(), said);
    }
};

QTEST_GUILESS_MAIN(tst_NotebookListModel)
#include "tst_notebooklistmodel.moc"
