#include "arithmetic/AnswerValue.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"
#include "chengzhang/FactGrid.h"
#include "chengzhang/FactGridView.h"
#include "chengzhang/GrowthChart.h"
#include "chengzhang/TForm8.h"
#include "storage/HistoryStore.h"
#include "support/PrintedSheets.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

Q_DECLARE_METATYPE(HistoryOrigin)

namespace {

const QDate kToday(2024, 3, 2);

// Answers on the days given by their distance from today: the day's count,
// how many of them right, seconds each. The misses are all "8+7".
void Practise(HistoryStore &store, int child, int daysAgo, int total, int right, int seconds,
              const QString &unit = QString())
{
    SessionRow session;
    session.id = HistoryStore::NewSessionId();
    session.child = child;
    session.started = QDateTime(kToday.addDays(-daysAgo), QTime(18, 0));
    session.total = total;
    session.right = right;
    session.setting = QStringLiteral("20以内 加减");
    if (!unit.isEmpty()) {
        session.presetId = QStringLiteral("24");
        session.presetName = unit;
        session.targetPerMinute = 8;
        session.targetAccuracy = 90;
    }
    store.Keep(session);
    for (int k = 0; k < total; ++k) {
        const bool isRight = k < right;
        store.Keep(AnswerRow{session.id, child, HistoryOrigin::Practice, session.started.addSecs(k * seconds),
                             isRight ? QStringLiteral("%1+2").arg(k) : QStringLiteral("8+7"),
                             isRight ? QString::number(k + 2) : QStringLiteral("16"), isRight, seconds * 1000});
    }
}

// Misses of a child, each problem as the history writes it, missed where
// told, one more time than the next, so they list in this order.
void Miss(HistoryStore &store, int child, const QString &problem, HistoryOrigin origin, int times,
          const QString &setting = QStringLiteral("20以内 加减"))
{
    SessionRow session;
    session.setting = setting;
    session.id = HistoryStore::NewSessionId();
    session.child = child;
    session.origin = origin;
    session.started = QDateTime(kToday, QTime(8, 0));
    session.total = times;
    store.Keep(session);
    for (int k = 0; k < times; ++k)
        store.Keep(AnswerRow{session.id, child, origin, session.started.addSecs(k), problem, QStringLiteral("1"),
                             false, std::nullopt});
}

// One answer per entry, "daysAgo right seconds" ("2 1 2.0"; "-" for an
// exam box's missing seconds), each to the problem, in this order.
void Answer(HistoryStore &store, int child, const QString &problem, const QStringList &answers)
{
    const std::optional<Problem> asked = ProblemOfText(problem);
    for (qsizetype k = 0; k < answers.size(); ++k) {
        const QStringList fields = answers.at(k).split(u' ');
        const bool right = fields.at(1) == QLatin1String("1");
        SessionRow session;
        session.id = HistoryStore::NewSessionId();
        session.child = child;
        session.origin = fields.at(2) == QLatin1String("-") ? HistoryOrigin::Exam : HistoryOrigin::Practice;
        session.started = QDateTime(kToday.addDays(-fields.at(0).toInt()), QTime(17, 0)).addSecs(k);
        session.total = 1;
        session.right = right ? 1 : 0;
        session.setting = QStringLiteral("20以内 加减");
        store.Keep(session);
        const std::optional<int> millis = fields.at(2) == QLatin1String("-")
                                              ? std::nullopt
                                              : std::optional<int>(qRound(fields.at(2).toDouble() * 1000));
        const QString answer = right ? AnswerText(asked->Expected()) : QStringLiteral("1");
        store.Keep(AnswerRow{session.id, child, session.origin, session.started, problem, answer, right, millis});
    }
}

// Three right answers of a second on the last three days: 熟练.
const QStringList kFluent{QStringLiteral("2 1 1"), QStringLiteral("1 1 1"), QStringLiteral("0 1 1")};

QAccessibleInterface *CellSaying(FactGridView *grid, const QString &fact)
{
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(grid);
    for (int k = 0; k < list->childCount(); ++k) {
        if (list->child(k)->text(QAccessible::Name).startsWith(fact + u'：'))
            return list->child(k);
    }
    return nullptr;
}

}  // namespace

class tst_TForm8 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        store_ = std::make_unique<HistoryStore>(HistoryStore::PathIn(dir_.path() + u'/'));
        // Three days in a row across the end of February, a missed day
        // before them; another child's day that must not show.
        Practise(*store_, 1, 4, 30, 27, 4);
        Practise(*store_, 1, 2, 20, 18, 3);
        Practise(*store_, 1, 1, 40, 40, 2);
        Practise(*store_, 1, 0, 10, 6, 6);
        Practise(*store_, 2, 3, 50, 0, 9);
        Miss(*store_, 3, QStringLiteral("15÷2"), HistoryOrigin::Exam, 6);
        Miss(*store_, 3, QStringLiteral("□+3=10"), HistoryOrigin::Competition, 5);
        Miss(*store_, 3, QStringLiteral("8-3+4"), HistoryOrigin::Practice, 4);
        Miss(*store_, 3, QStringLiteral("62-(25+15)"), HistoryOrigin::Exam, 3);
        Miss(*store_, 3, QStringLiteral("12÷0"), HistoryOrigin::Practice, 2);
        Miss(*store_, 5, QStringLiteral("9+6"), HistoryOrigin::Practice, 3);
        Miss(*store_, 5, QStringLiteral("15÷2"), HistoryOrigin::Exam, 2, QStringLiteral("有余数的除法"));
        // Missed again in a review: still an exam's problem.
        Miss(*store_, 3, QStringLiteral("15÷2"), HistoryOrigin::Review, 1);
        // A unit whose name takes two lines on paper; today's accuracy stands
        // on its 达标 line, where the line's label would go.
        const QString unit = QStringLiteral("一位数乘整十、整百数和两位数 · 可进位");
        Practise(*store_, 9, 1, 50, 30, 5, unit);
        Practise(*store_, 9, 0, 20, 18, 3, unit);
        // A week that taught 9+4 and 9+5 and lost 8+5.
        for (const QString &fact : {QStringLiteral("9+4"), QStringLiteral("9+5")})
            Answer(*store_, 10, fact, kFluent);
        Answer(*store_, 10, QStringLiteral("8+5"), {"12 1 1", "11 1 1", "10 1 1", "0 0 8"});
        Answer(*store_, 10, QStringLiteral("7*8"), {"1 1 2", "0 1 2"});
        QCOMPARE(store_->Write(), HistoryStore::WriteResult::Written);
    }

    void showsTheChildsWeek()
    {
        TForm8 growth(Sources());
        growth.show();
        QCOMPARE(growth.Label1->text(), QStringLiteral("小雨的成长记录"));
        QCOMPARE(growth.Label2->text(), QStringLiteral("已经连续练习 3 天！"));
        QVERIFY(growth.Label4->text().startsWith(QStringLiteral("20以内 加减：正确率 91%")));
        QCOMPARE(growth.ProblemLabels[0]->text(), QStringLiteral("8+7：平均 5 秒，错过 9 次"));
        QVERIFY(growth.ProblemLabels[1]->isHidden());
        QVERIFY(growth.Chart1->accessibleDescription().contains(QStringLiteral("3月1日：40 题，正确率 100%，30.0 题/分")));
        QTest::mouseClick(growth.SpeedButton2, Qt::LeftButton);
        QCOMPARE(growth.Report().first, kToday.addDays(-29));
        if (!qEnvironmentVariableIsEmpty("NUMBROOK_SHOTS"))
            growth.grab().save(qEnvironmentVariable("NUMBROOK_SHOTS") + QStringLiteral("/tform8.png"));
    }

    // The streak counts back past the week shown; answers dated after today
    // (a clock run ahead) show on today and count once.
    void showsEveryPractisedDay_data()
    {
        QTest::addColumn<int>("child");
        QTest::addColumn<QList<int>>("daysAgo");  // 10 answers on each, 8 right
        QTest::addColumn<QString>("streak");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QString>("today");
        QTest::newRow("a streak longer than the week")
            << 7 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8} << QStringLiteral("已经连续练习 9 天！")
            << QStringLiteral("这段时间练习了 7 天") << QStringLiteral("3月2日：10 题，正确率 80%");
        QTest::newRow("a year ahead")
            << 8 << QList<int>{1, -365, -366} << QStringLiteral("已经连续练习 2 天！")
            << QStringLiteral("这段时间练习了 2 天") << QStringLiteral("3月2日：20 题，正确率 80%");
    }

    void showsEveryPractisedDay()
    {
        QFETCH(int, child);
        QFETCH(QList<int>, daysAgo);
        QFETCH(QString, streak);
        QFETCH(QString, calendar);
        QFETCH(QString, today);
        for (const int day : daysAgo)
            Practise(*store_, child, day, 10, 8, 3);
        QCOMPARE(store_->Write(), HistoryStore::WriteResult::Written);
        TForm8 growth(Sources(child));
        QCOMPARE(growth.Label2->text(), streak);
        QCOMPARE(growth.Calendar1->accessibleDescription(), calendar);
        QVERIFY2(growth.Chart1->accessibleDescription().contains(today),
                 qPrintable(growth.Chart1->accessibleDescription()));
    }

    // Every form the history holds goes back whole, missed where it was;
    // what cannot be read says so, its button off.
    void sendsAProblemToTheNotebook_data()
    {
        QTest::addColumn<int>("child");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("sent");  // as the paper prints it, with its answer
        QTest::addColumn<HistoryOrigin>("origin");
        QTest::newRow("classic") << 1 << 0 << "8 + 7=15" << HistoryOrigin::Practice;
        QTest::newRow("remainder") << 3 << 0 << "15 ÷ 2=7……1" << HistoryOrigin::Exam;
        QTest::newRow("blank") << 3 << 1 << "□ + 3=10 (7)" << HistoryOrigin::Competition;
        QTest::newRow("three terms") << 3 << 2 << "8 - 3 + 4=9" << HistoryOrigin::Practice;
        QTest::newRow("brackets") << 3 << 3 << "62 - (25 + 15)=22" << HistoryOrigin::Exam;
        QTest::newRow("unreadable") << 3 << 4 << QString() << HistoryOrigin::Practice;
    }

    void sendsAProblemToTheNotebook()
    {
        QFETCH(int, child);
        QFETCH(int, row);
        QFETCH(QString, sent);
        NoticeRecorder notices;
        sent_.clear();
        GrowthSources sources = Sources();
        sources.child = child;
        TForm8 growth(sources);
        FlatButton *button = growth.SendButtons.at(static_cast<std::size_t>(row));
        QVERIFY(button->isVisibleTo(&growth));
        if (sent.isEmpty()) {
            QVERIFY(!button->isEnabled());
            QVERIFY(button->toolTip().contains(QStringLiteral("放不进错题本")));
            return;
        }
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(sent_.size(), 1);
        const Problem &problem = sent_.first().first;
        const QString blank = problem.Blank == Problem::BlankAnswer
                                  ? QString()
                                  : QStringLiteral(" (%1)").arg(AnswerText(problem.Expected()));
        QCOMPARE(PrintedText(problem) + (problem.Blank == Problem::BlankAnswer ? AnswerText(problem.Result) : QString())
                     + blank,
                 sent);
        QTEST(sent_.first().second, "origin");
        QVERIFY(!button->isEnabled());
    }

    // Every line of the lists shows whole: the weakest skills with an
    // exam's untimed boxes told, the longest problems with their figures.
    void everyLineShowsWhole()
    {
        for (const int child : {1, 3, 9}) {
            GrowthSources sources = Sources();
            sources.child = child;
            TForm8 growth(sources);
            growth.show();
            QVERIFY(QTest::qWaitForWindowExposed(&growth));
            QList<QLabel *> labels{growth.Label4};
            for (QLabel *label : growth.ProblemLabels)
                labels << label;
            for (QLabel *label : labels)
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));
        }
    }

    // One skill at a time: its days, totals and hardest problems alone.
    void showsOneSkillAtATime()
    {
        GrowthSources sources = Sources();
        sources.child = 5;
        TForm8 growth(sources);
        QCOMPARE(growth.ComboBox1->count(), 3);
        QCOMPARE(growth.Report().totals.total, 5);
        growth.ComboBox1->setCurrentIndex(2);
        emit growth.ComboBox1->activated(2);
        QCOMPARE(growth.ComboBox1->currentText(), QStringLiteral("有余数的除法"));
        QCOMPARE(growth.Report().totals.total, 2);
        QVERIFY(growth.ProblemLabels[0]->text().startsWith(QStringLiteral("15÷2")));
        QVERIFY(growth.ProblemLabels[1]->isHidden());
        QTest::mouseClick(growth.SpeedButton2, Qt::LeftButton);
        QCOMPARE(growth.ComboBox1->currentText(), QStringLiteral("有余数的除法"));
        QCOMPARE(growth.Report().totals.total, 2);
    }

    // A speed that leaves an exam's untimed boxes out says so.
    void speedSaysWhatItLeavesOut_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("timed");
        QTest::addColumn<QString>("text");
        QTest::newRow("all timed") << 20 << 20 << "10.0 题/分";
        QTest::newRow("with an exam") << 70 << 20 << "10.0 题/分（50 道考试题不计时，不算在内）";
        QTest::newRow("an exam alone") << 50 << 0 << "没有计时";
    }

    void speedSaysWhatItLeavesOut()
    {
        QFETCH(int, total);
        QFETCH(int, timed);
        Figures figures;
        figures.total = total;
        figures.right = total;
        figures.timed = timed;
        figures.millis = timed * 6000;
        QTEST(Growth::PerMinuteText(figures), "text");
    }

    // Each fact's cell says its state and its last answers with their
    // seconds, to the pointer and to a screen reader alike.
    void factGridCells_data()
    {
        QTest::addColumn<QString>("fact");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("said");
        QTest::newRow("熟练") << "9+4" << kFluent
                            << "9+4：熟练。最近 3 次：2月29日 对 1.0 秒，3月1日 对 1.0 秒，3月2日 对 1.0 秒";
        QTest::newRow("right but slow") << "7+6" << QStringList{"0 1 6"} << "7+6：学习中。最近 1 次：3月2日 对 6.0 秒";
        QTest::newRow("15 s is not known") << "5+6" << QStringList{"1 1 1", "0 1 15"}
                                           << "5+6：不会。最近 2 次：3月1日 对 1.0 秒，3月2日 对 15.0 秒";
        QTest::newRow("last wrong") << "8+5" << (kFluent + QStringList{"0 0 2"})
                                    << "8+5：不会。最近 4 次：2月29日 对 1.0 秒，3月1日 对 1.0 秒，3月2日 对 1.0 秒，"
                                       "3月2日 错 2.0 秒";
        QTest::newRow("an exam box") << "9+9" << QStringList{"3 1 -"} << "9+9：学习中。最近 1 次：2月28日 对，不计时";
        QTest::newRow("never answered") << "6+5" << QStringList{} << "6+5：未学，还没有做过";
    }

    void factGridCells()
    {
        QFETCH(QString, fact);
        QFETCH(QStringList, answers);
        QFETCH(QString, said);
        const int child = nextChild_++;
        Answer(*store_, child, fact, answers);
        Answer(*store_, child, QStringLiteral("9+2"), kFluent);
        QCOMPARE(store_->Write(), HistoryStore::WriteResult::Written);
        TForm8 growth(Sources(child));
        growth.show();
        QVERIFY(QTest::qWaitForWindowExposed(&growth));
        QVERIFY(growth.Chart1->isVisible());
        QTest::mouseClick(growth.SpeedButton12, Qt::LeftButton);
        QVERIFY(growth.Grid1->isVisible() && growth.ListBox1->isVisible());
        QVERIFY(!growth.Chart1->isVisible() && !growth.Calendar1->isVisible());
        // The set practised comes first.
        QCOMPARE(growth.Grid1->accessibleName(), QStringLiteral("口算熟练图：20以内进位加法"));
        QAccessibleInterface *cell = CellSaying(growth.Grid1, fact);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), said);
        const QRect place = cell->rect();
        QTest::mouseMove(growth.Grid1, growth.Grid1->mapFromGlobal(place.center()));
        QTRY_COMPARE(QToolTip::text(), said);
        if (!qEnvironmentVariableIsEmpty("NUMBROOK_SHOTS"))
            growth.grab().save(qEnvironmentVariable("NUMBROOK_SHOTS") + QStringLiteral("/grid.png"));
        QTest::mouseClick(growth.SpeedButton12, Qt::LeftButton);
        QVERIFY(growth.Chart1->isVisible() && !growth.Grid1->isVisible());
    }

    // The week's lists: facts that became 熟练 this week, and those that
    // were 熟练 at its start and are 不会 now.
    void weeklyChanges_data()
    {
        QTest::addColumn<QStringList>("fluentThisWeek");
        QTest::addColumn<QStringList>("fluentBefore");
        QTest::addColumn<QStringList>("missedToday");
        QTest::addColumn<QString>("became");
        QTest::addColumn<QString>("forgotten");
        QTest::newRow("new this week") << QStringList{"9+4", "9+5"} << QStringList{"7+6"} << QStringList{}
                                       << "这一周新熟练的口算（2 个）：9+4 9+5" << "熟练过、现在又不会的口算：没有";
        QTest::newRow("forgotten") << QStringList{} << QStringList{"8+5", "7+6"} << QStringList{"8+5"}
                                   << "这一周新熟练的口算：没有" << "熟练过、现在又不会的口算（1 个）：8+5";
        QTest::newRow("new and missed again") << QStringList{"8+6"} << QStringList{} << QStringList{"8+6"}
                                              << "这一周新熟练的口算：没有" << "熟练过、现在又不会的口算：没有";
    }

    void weeklyChanges()
    {
        QFETCH(QStringList, fluentThisWeek);
        QFETCH(QStringList, fluentBefore);
        QFETCH(QStringList, missedToday);
        const int child = nextChild_++;
        for (const QString &fact : fluentThisWeek)
            Answer(*store_, child, fact, kFluent);
        for (const QString &fact : fluentBefore)
            Answer(*store_, child, fact, {"12 1 1", "11 1 1", "10 1 1"});
        for (const QString &fact : missedToday)
            Answer(*store_, child, fact, {"0 0 9"});
        QCOMPARE(store_->Write(), HistoryStore::WriteResult::Written);
        FactChanges changes;
        FactGrids::ReadWeek(*store_, child, kToday.addDays(-6), changes);
        QTEST(FactGrids::BecameFluentLine(changes), "became");
        QTEST(FactGrids::ForgottenLine(changes), "forgotten");
    }

    void printsTheWeeklyReport_data()
    {
        QTest::addColumn<int>("child");
        QTest::newRow("a week of 20以内 加减") << 1;
        QTest::newRow("a unit with a long name") << 9;
        QTest::newRow("facts learnt and forgotten") << 10;
    }

    // The report reads back as the screen shows it, within margins a home
    // printer does not clip, with no text over another.
    void printsTheWeeklyReport()
    {
        QFETCH(int, child);
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("A printer is set up; the dialog would not offer a PDF file.");
        const QString pdf = dir_.filePath(QStringLiteral("周报%1.pdf").arg(child));
        TForm8 growth(Sources(child));
        PrintedSheets::PrintTheNextSheetTo(pdf);
        QTest::mouseClick(growth.SpeedButton4, Qt::LeftButton);
        if (!qEnvironmentVariableIsEmpty("NUMBROOK_SHOTS"))
            QFile::copy(pdf, qEnvironmentVariable("NUMBROOK_SHOTS") + QStringLiteral("/report%1.pdf").arg(child));
        const QStringList pages = PrintedSheets::Pages(pdf);
        QCOMPARE(pages.size(), 2);
        const auto unwrapped = [](QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); };
        const QString page = unwrapped(pages.first());
        QStringList seen{QStringLiteral("小雨的成长周报"), growth.Label2->text(), growth.ProblemLabels[0]->text()};
        seen << growth.Label4->text().split(u'\n');
        for (const QString &text : std::as_const(seen))
            QVERIFY2(page.contains(unwrapped(text)), qPrintable(text + QStringLiteral(" in ") + pages.first()));

        // The facts' page: the week's lists, and the grid of each set practised.
        FactChanges changes;
        const QList<FactGrid> grids = FactGrids::ReadWeek(*store_, child, kToday.addDays(-6), changes);
        const QString facts = unwrapped(pages.at(1));
        seen = QStringList{QStringLiteral("小雨的口算熟练图"), FactGrids::BecameFluentLine(changes),
                           FactGrids::ForgottenLine(changes)};
        for (const FactGrid &grid : grids)
            (grid.Practised() ? seen : unseen_) << grid.name + QStringLiteral("（左：");
        for (const QString &text : std::as_const(seen))
            QVERIFY2(facts.contains(unwrapped(text)), qPrintable(text + QStringLiteral(" in ") + pages.at(1)));
        for (const QString &text : std::as_const(unseen_))
            QVERIFY2(!facts.contains(unwrapped(text)), qPrintable(text));
        unseen_.clear();

        const QList<PrintedSheets::WordPage> words = PrintedSheets::Words(pdf);
        QCOMPARE(words.size(), 2);
        const qreal margin = 12 / 25.4 * 72;
        for (const PrintedSheets::WordPage &onPage : words) {
            const QRectF inside = QRectF(QPointF(0, 0), onPage.size).adjusted(margin, margin, -margin, -margin);
            const QList<PrintedSheets::Word> &all = onPage.words;
            QVERIFY(all.size() > 20);
            for (qsizetype i = 0; i < all.size(); ++i) {
                QVERIFY2(inside.contains(all.at(i).box), qPrintable(all.at(i).text));
                // Neighbours on a line may touch; nothing may stand on another.
                const QRectF box = all.at(i).box.adjusted(0.5, 0.5, -0.5, -0.5);
                for (qsizetype j = i + 1; j < all.size(); ++j)
                    QVERIFY2(!box.intersects(all.at(j).box), qPrintable(all.at(i).text + u'/' + all.at(j).text));
            }
        }
    }

private:
    GrowthSources Sources(int child = 1)
    {
        GrowthSources sources;
        sources.store = store_.get();
        sources.child = child;
        sources.childName = QStringLiteral("小雨");
        sources.today = [] { return kToday; };
        sources.notebookState = [] { return NotebookState{4, 2, 7}; };
        sources.sendToNotebook = [this](const Problem &problem, HistoryOrigin origin) -> std::optional<QString> {
            sent_.append({problem, origin});
            return std::nullopt;
        };
        return sources;
    }

    QTemporaryDir dir_;
    std::unique_ptr<HistoryStore> store_;
    QList<std::pair<Problem, HistoryOrigin>> sent_;
    QStringList unseen_;
    int nextChild_ = 100;
};

QTEST_MAIN(tst_TForm8)
#include "tst_tform8.moc"
