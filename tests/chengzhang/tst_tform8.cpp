#include "chengzhang/GrowthChart.h"
#include "chengzhang/TForm8.h"
#include "storage/HistoryStore.h"
#include "support/PrintedSheets.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"

#include <QLabel>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kToday(2024, 3, 2);

// Answers on the days given by their distance from today: the day's count,
// how many of them right, seconds each. The misses are all "8+7".
void Practise(HistoryStore &store, int child, int daysAgo, int total, int right, int seconds)
{
    SessionRow session;
    session.id = HistoryStore::NewSessionId();
    session.child = child;
    session.started = QDateTime(kToday.addDays(-daysAgo), QTime(18, 0));
    session.total = total;
    session.right = right;
    session.setting = QStringLiteral("20以内 加减");
    store.Keep(session);
    for (int k = 0; k < total; ++k) {
        const bool isRight = k < right;
        store.Keep(AnswerRow{session.id, child, HistoryOrigin::Practice, session.started.addSecs(k * seconds),
                             isRight ? QStringLiteral("%1+2").arg(k) : QStringLiteral("8+7"),
                             isRight ? QString::number(k + 2) : QStringLiteral("16"), isRight, seconds * 1000});
    }
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
        QCOMPARE(store_->Write(), HistoryStore::WriteResult::Written);
    }

    void showsTheChildsWeek()
    {
        TForm8 growth(Sources());
        growth.show();
        QCOMPARE(growth.Label1->text(), QStringLiteral("小红的成长记录"));
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
            << 3 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8} << QStringLiteral("已经连续练习 9 天！")
            << QStringLiteral("这段时间练习了 7 天") << QStringLiteral("3月2日：10 题，正确率 80%");
        QTest::newRow("a year ahead")
            << 4 << QList<int>{1, -365, -366} << QStringLiteral("已经连续练习 2 天！")
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

    void sendsAProblemToTheNotebook()
    {
        NoticeRecorder notices;
        TForm8 growth(Sources());
        QTest::mouseClick(growth.SendButtons[0], Qt::LeftButton);
        QCOMPARE(sent_.size(), 1);
        QCOMPARE(sent_.first().Answer, 15);
        QVERIFY(!growth.SendButtons[0]->isEnabled());
    }

    void printsTheWeeklyReport()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("A printer is set up; the dialog would not offer a PDF file.");
        const QString pdf = dir_.filePath(QStringLiteral("周报.pdf"));
        TForm8 growth(Sources());
        PrintedSheets::PrintTheNextSheetTo(pdf);
        QTest::mouseClick(growth.SpeedButton4, Qt::LeftButton);
        const QStringList pages = PrintedSheets::Pages(pdf);
        QCOMPARE(pages.size(), 1);
        // pdftotext reads 长 back as its radical form.
        for (const QString &seen : {QStringLiteral("小红的成"), QStringLiteral("2024年2月25日 至 2024年3月2日"),
                                    QStringLiteral("一共 100 题"), QStringLiteral("还没消灭 4 道"),
                                    QStringLiteral("8+7:平均 5 秒,错过 9 次")})
            QVERIFY2(pages.first().contains(seen), qPrintable(seen + QStringLiteral(" in ") + pages.first()));
    }

private:
    GrowthSources Sources(int child = 1)
    {
        GrowthSources sources;
        sources.store = store_.get();
        sources.child = child;
        sources.childName = QStringLiteral("小红");
        sources.today = [] { return kToday; };
        sources.notebookState = [] { return NotebookState{4, 2, 7}; };
        sources.sendToNotebook = [this](const ArithProblem &problem) -> std::optional<QString> {
            sent_.append(problem);
            return std::nullopt;
        };
        return sources;
    }

    QTemporaryDir dir_;
    std::unique_ptr<HistoryStore> store_;
    QList<ArithProblem> sent_;
};

QTEST_MAIN(tst_TForm8)
#include "tst_tform8.moc"
