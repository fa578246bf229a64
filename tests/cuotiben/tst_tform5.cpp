#include "cuotiben/Notebook.h"
#include "cuotiben/NotebookListView.h"
#include "cuotiben/TForm5.h"
#include "sound/CueNames.h"
#include "widgets/FormRefs.h"
#include "widgets/PenCursor.h"
#include "support/AccessibleTree.h"
#include "support/PrintedSheets.h"
#include "support/Recorders.h"
#include "widgets/AnswerFeedback.h"
#include "widgets/CelebrationPanel.h"
#include "arithmetic/Term.h"
#include "widgets/AnswerBox.h"
#include "widgets/FlatButton.h"
#include "widgets/FractionEntry.h"
#include "widgets/OperandLabel.h"
#include "widgets/PictureBox.h"
#include "widgets/StarBurst.h"

#include <QAccessible>
#include <QHeaderView>
#include <QStyleOptionViewItem>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// Missed on Monday 4 March 2024, so due on Tuesday.
const QDate kMonday(2024, 3, 4);
const ArithProblem kNineThrees{9, Operator::Multiplication, 3, 27};
const ArithProblem kFiftySixEights{56, Operator::Division, 8, 7};
const ArithProblem kFifteenAndSeven{15, Operator::Addition, 7, 22};
const ArithProblem kTwelveLessFive{12, Operator::Subtraction, 5, 7};

// What a list shows: its rows, each the texts of its visible columns.
QList<QStringList> Shown(const NotebookListView *list)
{
    QList<QStringList> rows;
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < model->columnCount(); ++column) {
            if (!list->isColumnHidden(column))
                texts << model->index(row, column).data().toString();
        }
        rows << texts;
    }
    return rows;
}

}  // namespace

class tst_TForm5 : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QDate today_;
    std::unique_ptr<NoticeRecorder> notices_;
    std::unique_ptr<CueRecorder> cues_;
    std::unique_ptr<TForm5> form_;

    QString NotebookPath() const { return Notebook::PathIn(dir_.path()); }
    TForm5 &Form() { return *form_; }

    // Three misses of Monday, and one problem conquered long ago.
    void WriteNotebook()
    {
        Notebook notebook(NotebookPath());
        notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
        notebook.NoteMiss(kFiftySixEights, QString(), MissSource::Exam, kMonday);
        notebook.NoteMiss(kFifteenAndSeven, QStringLiteral("21"), MissSource::Competition, kMonday);
        const QDate longAgo = kMonday.addDays(-90);
        notebook.NoteMiss(kTwelveLessFive, QStringLiteral("8"), MissSource::Practice, longAgo);
        for (const int day : {1, 4, 11, 25, 55})
            notebook.NoteReview(kTwelveLessFive, true, QStringLiteral("7"), longAgo.addDays(day));
        QCOMPARE(notebook.Save(), std::nullopt);
    }

    // A new window, as the menu opens one, going by today_.
    void Open()
    {
        form_ = std::make_unique<TForm5>(NotebookPath(), [this] { return today_; });
        Form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Form()));
    }

    void PressKeypad(const QString &digits)
    {
        for (QChar digit : digits) {
            FlatButton *key = digit == u'0' ? Form().SpeedButton5 : Form().findChild<FlatButton *>(
                                                                         QStringLiteral("SpeedButton%1").arg(5 + digit.digitValue()));
            QTest::mouseClick(key, Qt::LeftButton);
        }
    }

    // The child's answer to problem as the notebook file holds it.
    QString SavedAnswer(const ArithProblem &problem) const
    {
        Notebook saved(NotebookPath());
        const NotebookEntry *entry = saved.Load() ? nullptr : saved.Find(problem);
        return entry ? entry->Answer : QStringLiteral("<not read>");
    }

    QString ProblemShown()
    {
        return Form().Label2->text() + QLatin1Char(' ') + Form().Label3->text();
    }

    // Answers every problem of the review on show rightly.
    void AnswerAllRight()
    {
        while (Form().Session().Reviewing()) {
            PressKeypad(QString::number(Form().Session().Problem().Answer));
            QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        }
    }

private slots:
    void init()
    {
        QVERIFY(QFile::remove(NotebookPath()) || !QFile::exists(NotebookPath()));
        today_ = kMonday.addDays(1);
        notices_ = std::make_unique<NoticeRecorder>();
        cues_ = std::make_unique<CueRecorder>();
        WriteNotebook();
    }

    void cleanup()
    {
        form_.reset();
        cues_.reset();
        notices_.reset();
    }

    void showsWhatIsDueAndBothLists()
    {
        Open();
        QCOMPARE(Form5, &Form());
        QCOMPARE(Form().windowTitle(), QStringLiteral("错题本"));
        QCOMPARE(Form().size(), QSize(792, 573));
        QVERIFY(Form().windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(Form().Label1->text(), QStringLiteral("今天要复习的错题：3 道"));
        QCOMPARE(Shown(Form().ListView1),
                 (QList<QStringList>{{"9 × 3=", "28", "2024-03-04", "练习", "0", "2024-03-05"},
                                     {"56 ÷ 8=", "（未答）", "2024-03-04", "考试", "0", "2024-03-05"},
                                     {"15 + 7=", "21", "2024-03-04", "竞技", "0", "2024-03-05"}}));
        QCOMPARE(Form().Label4->text(), QStringLiteral("已消灭：1 道"));
        QCOMPARE(Shown(Form().ListView2), (QList<QStringList>{{"★ 12 − 5=", "2023-12-05", "练习"}}));
        QVERIFY(notices_->seen.isEmpty());

        // The keys as in the drill window, with the pen cursor.
        const qint64 pen = PenCursor(Form().devicePixelRatioF()).pixmap().cacheKey();
        for (QWidget *control : std::initializer_list<QWidget *>{Form().SpeedButton2, Form().SpeedButton5,
                                                                 Form().SpeedButton15, Form().Edit1})
            QCOMPARE(control->cursor().pixmap().cacheKey(), pen);
        QVERIFY(!Form().SpeedButton15->isEnabled());
        QVERIFY(Form().Edit1->isReadOnly());
        for (FlatButton *button : Form().findChildren<FlatButton *>()) {
            const QString spoken = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
            QVERIFY2(!spoken.isEmpty() && spoken.front().unicode() >= 0x3000, qPrintable(button->objectName()));
        }
        // Nothing a screen reader meets goes unnamed, the pictures included.
        const QStringList unnamed = AccessibleTree::UnnamedControls(AccessibleTree::Of(&Form()));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QCOMPARE(AccessibleTree::Of(Form().Image1)->role(), QAccessible::Graphic);
    }

    // Right by the keypad, wrong from the keyboard (stray keys kept out),
    // right by the keyboard with a leading zero.
    void reviewWithTheKeypadAndTheKeyboard()
    {
        Open();
        QTest::mouseClick(Form().SpeedButton2, Qt::LeftButton);
        QCOMPARE(ProblemShown(), QStringLiteral("9 3"));
        QVERIFY(Form().Image11->isVisible());
        QVERIFY(Form().Image2->isVisible());
        PressKeypad(QStringLiteral("0027"));
        QCOMPARE(Form().Edit1->text(), QStringLiteral("27"));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);

        QCOMPARE(ProblemShown(), QStringLiteral("56 8"));
        QVERIFY(Form().Image12->isVisible() && Form().Image11->isHidden());
        QCOMPARE(Form().Label1->text(), QStringLiteral("今天要复习的错题：2 道"));
        QTest::keyClicks(Form().Edit1, QStringLiteral("a6-x"));
        QCOMPARE(Form().Edit1->text(), QStringLiteral("6"));
        QTest::keyClick(Form().Edit1, Qt::Key_Return);
        // The miss shows and tells the right equation, as the drill does.
        QCOMPARE(Form().Panel2->Equation->text(), QStringLiteral("56÷8=7"));
        QVERIFY(Form().Panel2->Equation->isVisible() && Form().Panel2->Wrong->isVisible());
        QCOMPARE(AccessibleTree::Name(Form().Panel2), QStringLiteral("错了，56除以8等于7"));

        QTest::keyClicks(Form().Edit1, QStringLiteral("022"));
        QTest::keyClick(Form().Edit1, Qt::Key_Return);
        QCOMPARE(cues_->asked, (QStringList{CueNames::Dui(), CueNames::Cuo(), CueNames::Dui()}));
        // No small box: a celebration over the whole window, put away by 好的.
        QVERIFY(notices_->seen.isEmpty());
        QVERIFY(Form().Panel3->isVisible());
        QCOMPARE(Form().Panel3->geometry(), Form().rect());
        QCOMPARE(AccessibleTree::Name(Form().Panel3), QStringLiteral("今天的错题全部复习完了！\n答对 2 道，答错的 1 道明天再来"));
        QCOMPARE(AccessibleTree::Of(Form().Panel3)->role(), QAccessible::Notification);
        QTest::mouseClick(Form().Panel3->Done, Qt::LeftButton);
        QVERIFY(Form().Panel3->isHidden());
        QCOMPARE(Form().Label1->text(), QStringLiteral("今天要复习的错题：0 道"));
        QVERIFY(!Form().SpeedButton15->isEnabled());
        QVERIFY(Form().Edit1->isReadOnly());
        for (PictureBox *sign : {Form().Image9, Form().Image10, Form().Image11, Form().Image12, Form().Image2})
            QVERIFY(sign->isHidden());
        QCOMPARE(Shown(Form().ListView1),
                 (QList<QStringList>{{"56 ÷ 8=", "6", "2024-03-05", "考试", "0", "2024-03-06"},
                                     {"9 × 3=", "28", "2024-03-04", "练习", "1", "2024-03-08"},
                                     {"15 + 7=", "21", "2024-03-04", "竞技", "1", "2024-03-08"}}));

        // Saved right away, before the window is left.
        QTRY_COMPARE(SavedAnswer(kFiftySixEights), QStringLiteral("6"));
        QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
        QVERIFY(!Form().isVisible());
        QCOMPARE(Form().result(), int(QDialog::Accepted));
    }

    // Missed Monday, right on each review day up to the 30-day one: conquered.
    void theScheduleMovesOnDayByDay()
    {
        for (const int day : {1, 4, 11, 25, 55}) {
            today_ = kMonday.addDays(day);
            Open();
            QCOMPARE(Form().Label1->text(), QStringLiteral("今天要复习的错题：3 道"));
            QTest::mouseClick(Form().SpeedButton2, Qt::LeftButton);
            AnswerAllRight();
            // The last right answers conquer: stars over 已消灭.
            QCOMPARE(Form().Image4->Playing(), day == 55);
            QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
            // A day between two reviews has nothing due.
            today_ = today_.addDays(1);
            Open();
            QCOMPARE(Form().Label1->text(), QStringLiteral("今天要复习的错题：0 道"));
        }
        QVERIFY(Shown(Form().ListView1).isEmpty());
        QCOMPARE(Form().Label4->text(), QStringLiteral("已消灭：4 道"));
        QCOMPARE(Shown(Form().ListView2).size(), 4);
        QCOMPARE(Shown(Form().ListView2).at(1), (QStringList{"★ 56 ÷ 8=", "2024-03-04", "考试"}));
    }

    void nothingDueSaysSoAndTheWindowStaysUsable()
    {
        today_ = kMonday;
        Open();
        QCOMPARE(Form().Label1->text(), QStringLiteral("今天要复习的错题：0 道"));
        QTest::mouseClick(Form().SpeedButton2, Qt::LeftButton);
        QCOMPARE(notices_->texts(), QStringList{QStringLiteral("今天没有要复习的错题！")});
        PressKeypad(QStringLiteral("5"));
        QCOMPARE(Form().Edit1->text(), QString());
        QCOMPARE(Shown(Form().ListView1).size(), 3);
        QTest::keyClick(&Form(), Qt::Key_Escape);
        QVERIFY(Form().isVisible());
        QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
        QVERIFY(!Form().isVisible());
    }

    // Overdue problems lead the list, marked; the rest follow by their day.
    void dueAndOverdueProblemsComeFirst()
    {
        Open();
        QTest::mouseClick(Form().SpeedButton2, Qt::LeftButton);
        PressKeypad(QStringLiteral("27"));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
        today_ = kMonday.addDays(3);
        Open();
        QCOMPARE(Form().Label1->text(), QStringLiteral("今天要复习的错题：2 道"));
        QStringList dueColumn;
        for (const QStringList &row : Shown(Form().ListView1))
            dueColumn << row.front() + QLatin1Char(' ') + row.back();
        QCOMPARE(dueColumn, (QStringList{"56 ÷ 8= 2024-03-05（过期）", "15 + 7= 2024-03-05（过期）",
                                         "9 × 3= 2024-03-08"}));
    }

    // A fraction problem is reviewed with the drill's stacked fraction: the
    // 分数 key, the numerator from the keypad, ↓, the denominator, 确定.
    void aFractionIsAnsweredStacked()
    {
        const Problem quarter = Problem::Of(*Term::Fraction(3, 4), Operator::Division, 3);
        QVERIFY(QFile::remove(NotebookPath()));
        {
            Notebook notebook(NotebookPath());
            QVERIFY(!notebook.Load());
            notebook.NoteMiss(quarter, QStringLiteral("1/3"), MissSource::Practice, kMonday);
            QCOMPARE(notebook.Save(), std::nullopt);
        }
        today_ = kMonday.addDays(1);
        Open();
        QTest::mouseClick(Form().SpeedButton2, Qt::LeftButton);
        QVERIFY(Form().SpeedButton21->isVisible() && !Form().SpeedButton19->isVisible());
        QTest::mouseClick(Form().SpeedButton21, Qt::LeftButton);
        QVERIFY(Form().Panel6->isVisible());
        PressKeypad(QStringLiteral("1"));
        QTest::keyClick(Form().Panel6->Box(FractionEntry::Part::Numerator), Qt::Key_Down);
        PressKeypad(QStringLiteral("4"));
        QVERIFY(Form().Edit1->accessibleDescription().endsWith(QStringLiteral("四分之一")));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QVERIFY(!Form().Panel6->isVisible());
        QCOMPARE(cues_->asked, QStringList{CueNames::Dui()});
        QVERIFY(!Form().SpeedButton21->isVisible());
    }

    // Every cell and heading of both lists shows its whole text: a skipped
    // review's "（过期）", a long problem and an empty box's "（未答）" too.
    void everyColumnShowsItsWholeText()
    {
        {
            Notebook notebook(NotebookPath());
            QVERIFY(!notebook.Load());
            notebook.NoteMiss(Problem::Of(62, Operator::Subtraction, 25, Operator::Addition, 15, Brackets::LastTwo),
                              QStringLiteral("12"), MissSource::Exam, kMonday);
            QCOMPARE(notebook.Save(), std::nullopt);
        }
        today_ = QDate(2026, 12, 23);
        Open();
        bool overdueSeen = false;
        for (const NotebookListView *list : {Form().ListView1, Form().ListView2}) {
            const QAbstractItemModel *model = list->model();
            for (int column = 0; column < model->columnCount(); ++column) {
                if (list->isColumnHidden(column))
                    continue;
                const QString heading = model->headerData(column, Qt::Horizontal).toString();
                QVERIFY2(list->horizontalHeader()->sectionSizeHint(column) <= list->columnWidth(column),
                         qPrintable(heading));
                for (int row = 0; row < model->rowCount(); ++row) {
                    const QModelIndex index = model->index(row, column);
                    const QString text = index.data().toString();
                    overdueSeen = overdueSeen || text.endsWith(NotebookListModel::OverdueMark());
                    QStyleOptionViewItem option;
                    option.initFrom(list);
                    option.font = list->font();
                    option.features |= QStyleOptionViewItem::HasDisplay;
                    const QSize needed = list->itemDelegate()->sizeHint(option, index);
                    // The grid line between cells takes a pixel of the cell.
                    QVERIFY2(needed.width() < list->columnWidth(column), qPrintable(heading + u' ' + text));
                    QVERIFY2(needed.height() <= list->rowHeight(row), qPrintable(heading + u' ' + text));
                }
            }
            QVERIFY(list->horizontalHeader()->length() <= list->viewport()->width());
        }
        QVERIFY(overdueSeen);
    }

    // Every problem not yet conquered, due ones first, also on the day of
    // the mistakes, when none is due yet.
    void printsEveryProblemNotYetConquered_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("answers");
        QTest::newRow("the day of the mistakes") << 0 << QStringList{"9 × 3 =", "56 ÷ 8 =", "15 + 7 ="}
                                                 << QStringList{"27", "7", "22"};
        QTest::newRow("after a review") << 1 << QStringList{"56 ÷ 8 =", "15 + 7 =", "9 × 3 ="}
                                        << QStringList{"7", "22", "27"};
    }

    void printsEveryProblemNotYetConquered()
    {
        QFETCH(int, day);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, answers);
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is set up, so the dialog offers it rather than a file");
        today_ = kMonday.addDays(day);
        Open();
        if (day > 0) {
            QTest::mouseClick(Form().SpeedButton2, Qt::LeftButton);
            PressKeypad(QStringLiteral("27"));
            QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        }
        const QString pdf = dir_.filePath(QStringLiteral("错题练习.pdf"));
        PrintedSheets::PrintTheNextSheetTo(pdf);
        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);
        QVERIFY(notices_->seen.isEmpty());
        const PrintedSheets::Sheet sheet = PrintedSheets::Read(pdf);
        QCOMPARE(sheet.questions, questions);
        QCOMPARE(sheet.answers, answers);
    }
};

QTEST_MAIN(tst_TForm5)
#include "tst_tform5.moc"
