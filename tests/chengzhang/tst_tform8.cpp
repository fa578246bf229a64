#include "chengzhang/GrowthChart.h"
#include "chengzhang/TForm8.h"
#include "storage/HistoryStore.h"
#include "support/PrintedSheets.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"

#include <QFile>
#include <QLabel>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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
        // A unit whose name takes two lines on paper; today's accuracy stands
        // on its 达标 line, where the line's label would go.
        const QString unit = QStringLiteral("一位数乘整十、整百数和两位数 · 可进位");
        Practise(*store_, 3, 1, 50, 30, 5, unit);
        Practise(*store_, 3, 0, 20, 18, 3, unit);
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

    void sendsAProblemToTheNotebook()
    {
        NoticeRecorder notices;
        TForm8 growth(Sources());
        QTest::mouseClick(growth.SendButtons[0], Qt::LeftButton);
        QCOMPARE(sent_.size(), 1);
        QCOMPARE(sent_.first().Answer, 15);
        QVERIFY(!growth.SendButtons[0]->isEnabled());
    }

    void printsTheWeeklyReport_data()
    {
        QTest::addColumn<int>("child");
        QTest::newRow("a week of 20以内 加减") << 1;
        QTest::newRow("a unit with a long name") << 3;
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
        QCOMPARE(pages.size(), 1);
        const auto unwrapped = [](QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); };
        const QString page = unwrapped(pages.first());
        QStringList seen{QStringLiteral("小雨的成长周报"), growth.Label2->text(), growth.ProblemLabels[0]->text()};
        seen << growth.Label4->text().split(u'\n');
        for (const QString &text : std::as_const(seen))
            QVERIFY2(page.contains(unwrapped(text)), qPrintable(text + QStringLiteral(" in ") + pages.first()));

        const QList<PrintedSheets::WordPage> words = PrintedSheets::Words(pdf);
        QCOMPARE(words.size(), 1);
        const qreal margin = 12 / 25.4 * 72;
        const QRectF inside = QRectF(QPointF(0, 0), words.first().size).adjusted(margin, margin, -margin, -margin);
        const QList<PrintedSheets::Word> &all = words.first().words;
        QVERIFY(all.size() > 20);
        for (qsizetype i = 0; i < all.size(); ++i) {
            QVERIFY2(inside.contains(all.at(i).box), qPrintable(all.at(i).text));
            // Neighbours on a line may touch; nothing may stand on another.
            const QRectF box = all.at(i).box.adjusted(0.5, 0.5, -0.5, -0.5);
            for (qsizetype j = i + 1; j < all.size(); ++j)
                QVERIFY2(!box.intersects(all.at(j).box), qPrintable(all.at(i).text + u'/' + all.at(j).text));
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
