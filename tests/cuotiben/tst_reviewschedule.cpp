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
    void aMissIsReviewedThreeTimesThenConquered()
    {
        NotebookEntry entry = MissedOn(kMonday);
        QCOMPARE(entry.Missed, kMonday);
        QCOMPARE(entry.RightCount, 0);
        QCOMPARE(entry.Due, Day(1));
        QVERIFY(!ReviewSchedule::IsDue(entry, kMonday));

        // Right on Tuesday: due on Friday.
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(1)));
        QCOMPARE(entry.RightCount, 1);
        QCOMPARE(entry.Due.dayOfWeek(), int(Qt::Friday));
        QCOMPARE(entry.Due, Day(4));
        QCOMPARE(DueDays(entry, Day(2), Day(4)), QList<QDate>{Day(4)});

        // Right on Friday: due the Friday after.
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(4)));
        QCOMPARE(entry.RightCount, 2);
        QCOMPARE(entry.Due, Day(11));
        QCOMPARE(DueDays(entry, Day(5), Day(11)), QList<QDate>{Day(11)});

        // Right then: conquered, never due again.
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(11)));
        QCOMPARE(entry.RightCount, 3);
        QVERIFY(entry.Conquered());
        QVERIFY(DueDays(entry, Day(11), Day(400)).isEmpty());
        QVERIFY(!ReviewSchedule::AnsweredRight(entry, Day(12)));
        QCOMPARE(entry.RightCount, 3);
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
        QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(22)));
        QVERIFY(entry.Conquered());
    }

    void aConqueredProblemMissedAgainComesBack()
    {
        NotebookEntry entry = MissedOn(kMonday);
        for (const int day : {1, 4, 11})
            QVERIFY(ReviewSchedule::AnsweredRight(entry, Day(day)));
        QVERIFY(entry.Conquered());
        ReviewSchedule::StartOver(entry, QStringLiteral("21"), Day(30));
        QVERIFY(!entry.Conquered());
        QCOMPARE(entry.Due, Day(31));
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
