#include "cuotiben/NotebookEntry.h"
#include "cuotiben/ReviewSchedule.h"

#include <QTest>

namespace {

// Monday 4 March 2024 and the days after it.
const QDate kMonday(2024, 3, 4);

QDate Day(int daysAfterMonday)
{
    return kMonday.addDays(daysAfterMonday);
}

NotebookEntry MissedOn(QDate day)
{
    NotebookEntry entry;
    entry.Problem = Problem::From({9, Operator::Multiplication, 3, 27});
    ReviewSchedule::StartOver(entry, QStringLiteral("28"), day);
    return entry;
}

// Every day from first to last on which the entry is due.
QList<QDate> DueDays(const NotebookEntry &entry, QDate first, QDate last)
{
    QList<QDate> due;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (ReviewSchedule::IsDue(entry, day))
            due.append(day);
    }
    return due;
}

}  // namespace

class tst_ReviewSchedule : public QObject {
    Q_OBJECT

private slots:
    // Right on each due day: reviewed after 1, 3, 7, 14 and 30 days, then
    // conquered and never due again. An entry an older copy left part-way
    // up its shorter ladder climbs on from where it stands.
    void aMissClimbsTheLadderThenIsConquered_data()
    {
        QTest::addColumn<int>("rightCount");
        QTest::addColumn<int>("due");
        QTest::addColumn<QList<int>>("dues");

        QTest::newRow("missed on Monday") << 0 << 1 << QList<int>{4, 11, 25, 55};
        QTest::newRow("an old entry after one right") << 1 << 4 << QList<int>{11, 25, 55};
        QTest::newRow("an old entry after two right") << 2 << 11 << QList<int>{25, 55};
    }

    void aMissClimbsTheLadderThenIsConquered()
    {
        QFETCH(int, rightCount);
        QFETCH(int, due);
        QFETCH(QList<int>, dues);
        NotebookEntry entry = MissedOn(kMonday);
        entry.RightCount = rightCount;
        entry.Due = Day(due);
        QVERIFY(!ReviewSchedule::IsDue(entry, Day(due - 1)));
        for (const int next : dues) {
            QVERIFY(ReviewSchedule::AnsweredRight(entry, entry.Due));
            QCOMPARE(entry.Due, Day(next));
            QCOMPARE(DueDays(entry, Day(due + 1), Day(next)), QList<QDate>{Day(next)});
            due = next;
        }
        QVERIFY(ReviewSchedule::AnsweredRight(entry, entry.Due));
        QCOMPARE(entry.RightCount, ReviewSchedule::RightAnswersToConquer);
        QVERIFY(entry.Conquered());
        QVERIFY(DueDays(entry, Day(due), Day(400)).isEmpty());
        QVERIFY(!ReviewSchedule::AnsweredRight(entry, Day(due + 1)));
        QCOMPARE(entry.Missed, kMonday);
    }

    void aWrongAnswerInBetweenStartsItOver()
    {
        NotebookEntry entry = MissedOn(kMonday);
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(1)));
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(4)));

        // Wrong on the second Friday: due on Saturday, from the start.
        ReviewSchedule::StartOver(entry, QStringLiteral("26"), Day(11));
        QCOMPARE(entry.RightCount, 0);
        QCOMPARE(entry.Answer, QStringLiteral("26"));
        QCOMPARE(entry.Missed, Day(11));
        QCOMPARE(entry.Due, Day(12));

        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(12)));
        QCOMPARE(entry.Due, Day(15));
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(15)));
        QCOMPARE(entry.Due, Day(22));
    }

    void aConqueredProblemMissedAgainComesBack()
    {
        NotebookEntry entry = MissedOn(kMonday);
        for (const int day : {1, 4, 11, 25, 55})
            QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(day)));
        QVERIFY(entry.Conquered());
        ReviewSchedule::StartOver(entry, QStringLiteral("21"), Day(60));
        QVERIFY(!entry.Conquered());
        QCOMPARE(entry.Due, Day(61));
        QCOMPARE(entry.RightCount, 0);
    }

    // An entry not looked at on its day stays due until it is answered; its
    // next interval counts from the day of that answer.
    void anOverdueEntryIsDueUntilAnswered()
    {
        NotebookEntry entry = MissedOn(kMonday);
        QCOMPARE(DueDays(entry, Day(1), Day(20)).size(), 20);
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(20)));
        QCOMPARE(entry.Due, Day(23));
    }

    // Only a due day's right answer counts: answering early moves nothing.
    void aRightAnswerBeforeTheDueDayCountsForNothing()
    {
        NotebookEntry entry = MissedOn(kMonday);
        QVERIFY(!ReviewSchedule::AnsweredRight(entry, kMonday));
        QCOMPARE(entry.RightCount, 0);
        QCOMPARE(entry.Due, Day(1));
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(1)));
        QVERIFY(!ReviewSchedule::AnsweredRight(entry, Day(3)));
        QCOMPARE(entry.RightCount, 1);
        QCOMPARE(entry.Due, Day(4));
    }

    // A review done while the clock ran a year ahead: once the clock is put
    // right the problem is due at once, not next year, and the next review
    // then keeps its interval.
    void aReviewUnderAClockAheadIsDueOnceTheClockIsRight()
    {
        NotebookEntry entry = MissedOn(kMonday);
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(366)));
        QCOMPARE(DueDays(entry, Day(2), Day(10)).size(), 9);
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(2)));
        QCOMPARE(entry.Due, Day(9));
        QVERIFY(DueDays(entry, Day(3), Day(8)).isEmpty());
    }
};

QTEST_APPLESS_MAIN(tst_ReviewSchedule)
#include "tst_reviewschedule.moc"
