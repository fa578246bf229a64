// 今日练习's 25 problems: what comes first, the mix of known and unknown
// facts, the re-asks after a miss, and a child's first session in a unit.
#include "arithmetic/FactSets.h"
#include "arithmetic/ProblemTexts.h"
#include "arithmetic/TodaySession.h"

#include <QSet>
#include <QTest>

namespace {

const QDate kToday(2026, 10, 12);

// A record in the given state, from answers before today.
FactRecord RecordIn(FactState state)
{
    FactRecord record;
    const int fluent = FluentMillis(1, 1);
    const auto add = [&](bool right, int millis, int daysAgo) {
        record.Add({right, millis, kToday.addDays(-daysAgo)}, fluent);
    };
    switch (state) {
    case FactState::NotLearnt:
        break;
    case FactState::Unknown:
        add(false, 4000, 3);
        break;
    case FactState::Learning:
        add(true, 6000, 3);
        break;
    case FactState::Fluent:
        add(true, 2000, 4);
        add(true, 2000, 4);
        add(true, 2000, 3);
        break;
    case FactState::Solid:
        add(true, 2000, 20);
        add(true, 2000, 20);
        add(true, 2000, 19);
        add(true, 2000, 3);
        break;
    }
    return record;
}

// "F40 U10": 40 facts 熟练, then 10 不会, the rest of the unit 未学.
QList<FactRecord> Records(const PresetPick &unit, const QString &script)
{
    QList<FactRecord> records;
    for (const QString &part : script.split(u' ', Qt::SkipEmptyParts)) {
        static const QHash<QChar, FactState> kStates{{u'F', FactState::Fluent},
                                                     {u'L', FactState::Learning},
                                                     {u'U', FactState::Unknown},
                                                     {u'S', FactState::Solid}};
        for (int k = part.mid(1).toInt(); k > 0; --k)
            records.append(RecordIn(kStates.value(part.at(0))));
    }
    records.resize(UnitFacts(unit).size());
    return records;
}

QList<Problem> Reviews(int count)
{
    QList<Problem> reviews;
    for (int k = 0; k < count; ++k)
        reviews.append(Problem::Of(30 + k, Operator::Addition, 12));
    return reviews;
}

}  // namespace

class TestTodaySession : public QObject {
    Q_OBJECT

private slots:
    void composition_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("records");
        QTest::addColumn<int>("reviews");
        QTest::addColumn<int>("leastKnown");
        QTest::addColumn<int>("mostKnown");
        QTest::addColumn<int>("mostNew");

        // 口诀 (81 facts): three quarters of 25 are known or being learnt.
        QTest::newRow("mostly known") << 16 << 1 << "F40 L10 U10" << 0 << 18 << 19 << 4;
        QTest::newRow("without 不会 the new fill the quarter") << 16 << 1 << "F40" << 0 << 18 << 19 << 4;
        QTest::newRow("the 错题本 first, then the mix") << 16 << 1 << "F40 U10" << 4 << 15 << 16 << 4;
        QTest::newRow("at most ten from the 错题本") << 16 << 1 << "F40 U10" << 12 << 11 << 12 << 4;
        QTest::newRow("牢固 facts only when the others run short") << 16 << 1 << "S30 F30 U10" << 0 << 18 << 19 << 4;
        QTest::newRow("nothing known yet: all the weak") << 6 << 0 << "U3" << 0 << 0 << 0 << 4;
    }

    void composition()
    {
        QFETCH(int, preset);
        QFETCH(int, choice);
        QFETCH(QString, records);
        QFETCH(int, reviews);
        QFETCH(int, leastKnown);
        QFETCH(int, mostKnown);
        QFETCH(int, mostNew);
        const PresetPick unit{preset, choice};
        const QList<FactRecord> before = Records(unit, records);
        const QList<int> facts = UnitFacts(unit);
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            TodaySession session(unit, before, Reviews(reviews), RandomSource(seed));
            int known = 0;
            int solid = 0;
            QSet<int> fresh;
            int fromNotebook = 0;
            for (int k = 0; !session.Done(); ++k) {
                const TodaySession::Item &item = session.Current();
                if (item.Review) {
                    QCOMPARE(k, fromNotebook++);
                    QCOMPARE(item.Question, Reviews(reviews).at(k));
                } else {
                    QVERIFY(item.Fact);
                    const FactState was = before.at(facts.indexOf(*item.Fact)).State();
                    known += was == FactState::Fluent || was == FactState::Learning || was == FactState::Solid;
                    solid += was == FactState::Solid;
                    if (was == FactState::NotLearnt)
                        fresh.insert(*item.Fact);
                }
                session.Answered(true, 2.0, kToday);
            }
            QCOMPARE(session.Asked(), TodaySession::Length);
            QCOMPARE(fromNotebook, std::min(reviews, TodaySession::MostReviews));
            QVERIFY2(known >= leastKnown && known <= mostKnown, qPrintable(QString::number(known)));
            QVERIFY(fresh.size() <= mostNew);
            if (records.startsWith(u'S'))
                QCOMPARE(solid, 0);
        }
    }

    // A child new to the unit meets each fact once before any comes again.
    void firstSessionGoesRoundTheUnit_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("choice");
        QTest::newRow("9加几, 7 facts") << 6 << 0;
        QTest::newRow("凑十, 18 facts") << 3 << 0;
        QTest::newRow("进位加法 全部, 36 facts") << 6 << 3;
    }

    void firstSessionGoesRoundTheUnit()
    {
        QFETCH(int, preset);
        QFETCH(int, choice);
        const PresetPick unit{preset, choice};
        const qsizetype facts = UnitFacts(unit).size();
        TodaySession session(unit, Records(unit, {}), {}, RandomSource(7));
        QSet<int> met;
        while (!session.Done() && met.size() < std::min<qsizetype>(facts, TodaySession::Length)) {
            QVERIFY2(!met.contains(*session.Current().Fact), qPrintable(HistoryText(session.Current().Question)));
            met.insert(*session.Current().Fact);
            session.Answered(true, 2.0, kToday);
        }
        QCOMPARE(met.size(), std::min<qsizetype>(facts, TodaySession::Length));
    }

    // A miss comes again after two other problems and once more after four
    // to six; the same problem never twice in a row, whatever the answers.
    void missesComeAgain_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("records");
        QTest::addColumn<int>("reviews");
        QTest::newRow("口诀") << 16 << 1 << "F40 U10" << 2;
        QTest::newRow("9加几, few facts") << 6 << 0 << "F4 U3" << 0;
        QTest::newRow("an open unit") << 23 << 0 << "" << 3;
    }

    void missesComeAgain()
    {
        QFETCH(int, preset);
        QFETCH(int, choice);
        QFETCH(QString, records);
        QFETCH(int, reviews);
        const PresetPick unit{preset, choice};
        for (std::uint32_t seed = 1; seed <= 50; ++seed) {
            TodaySession session(unit, Records(unit, records), Reviews(reviews), RandomSource(seed));
            RandomSource answers(seed * 31);
            QList<Problem> asked;
            QList<int> missedAt;
            while (!session.Done()) {
                const Problem problem = session.Current().Question;
                QVERIFY(asked.isEmpty() || asked.last() != problem);
                asked.append(problem);
                const bool right = answers.Below(6) != 0;
                if (!right)
                    missedAt.append(static_cast<int>(asked.size()) - 1);
                session.Answered(right, 3.0, kToday);
            }
            for (const int at : missedAt) {
                const Problem missed = asked.at(at);
                // A later miss of the same problem starts its re-asks over.
                const bool missedAgain = std::any_of(missedAt.cbegin(), missedAt.cend(), [&](int later) {
                    return later > at && later <= at + 3 + 7 && asked.at(later) == missed;
                });
                if (missedAgain)
                    continue;
                if (at + 3 < asked.size())
                    QVERIFY2(asked.at(at + 3) == missed, qPrintable(QStringLiteral("seed %1 at %2").arg(seed).arg(at)));
                // Misses close together may push a second re-ask on.
                const bool crowded = std::any_of(missedAt.cbegin(), missedAt.cend(), [&](int other) {
                    return other != at && std::abs(other - at) <= 7;
                });
                int second = -1;
                for (int k = at + 8; k <= at + 10 && k < asked.size(); ++k) {
                    if (asked.at(k) == missed)
                        second = k;
                }
                if (at + 10 < asked.size() && !crowded)
                    QVERIFY2(second > 0, qPrintable(QStringLiteral("seed %1 at %2").arg(seed).arg(at)));
            }
        }
    }

    void learntToday()
    {
        const PresetPick unit{6, 0};  // 9加几
        const QList<int> facts = UnitFacts(unit);
        QList<FactRecord> before(facts.size());
        // Two right answers yesterday: a third today makes each 熟练.
        for (FactRecord &record : before) {
            record.Add({true, 2000, kToday.addDays(-1)}, FluentMillis(1, 1));
            record.Add({true, 2000, kToday.addDays(-1)}, FluentMillis(1, 1));
        }
        TodaySession session(unit, before, {}, RandomSource(3));
        QStringList learnt;
        while (!session.Done()) {
            const TodaySession::Item item = session.Current();
            const bool first = !learnt.contains(HistoryText(item.Question));
            const bool slow = item.Question == Problem::Of(9, Operator::Addition, 5);
            session.Answered(true, slow ? 5.0 : 2.0, kToday);
            if (first && !slow)
                learnt.append(HistoryText(item.Question));
        }
        QCOMPARE(session.NewlyKnown().size(), facts.size() - 1);
        QVERIFY(session.LearntSentence().startsWith(QStringLiteral("新学会 %1 个：").arg(facts.size() - 1)));
        QVERIFY(!session.LearntSentence().contains(u"9+5"));
        QVERIFY(session.NewlySolid().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTodaySession)
#include "tst_todaysession.moc"
