// The closed fact sets and each fact's state from a child's answers: what a
// parent reads in the grid, at the edges of each rule.
#include "arithmetic/FactHistory.h"
#include "arithmetic/FactMastery.h"
#include "arithmetic/FactSets.h"
#include "storage/HistoryStore.h"
#include "arithmetic/ProblemTexts.h"
#include "arithmetic/TodayUnit.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kMonday(2026, 3, 2);

// "r3.4@0": right in 3.4 s on the first day; "w@1": wrong on the day after;
// "r-@2": right without seconds (an exam box) two days on; "r20@9".
QList<FactAnswer> Answers(const QString &script)
{
    QList<FactAnswer> answers;
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype at = step.indexOf(u'@');
        const QString time = step.mid(1, at - 1);
        FactAnswer answer;
        answer.Right = step.startsWith(u'r');
        if (!time.isEmpty() && time != u"-")
            answer.Millis = qRound(time.toDouble() * 1000);
        answer.Day = kMonday.addDays(step.mid(at + 1).toInt());
        answers.append(answer);
    }
    return answers;
}

// The script's answers kept in a real history, one session a day, as the
// drill keeps them; answers before these and after them go to other facts.
void Keep(HistoryStore &store, const QString &problem, const QString &script, const QString &presetId = {},
          const QString &presetName = {})
{
    qint64 id = 0;
    QDate sessionDay;
    int k = 0;
    for (const FactAnswer &answer : Answers(script)) {
        if (answer.Day != sessionDay) {
            sessionDay = answer.Day;
            SessionRow session;
            session.id = ++id + (presetId.isEmpty() ? 0 : 1000);
            session.started = QDateTime(answer.Day, QTime(18, 0));
            session.presetId = presetId;
            session.presetName = presetName;
            store.Keep(session);
        }
        const QDateTime at(answer.Day, QTime(18, 0, ++k % 60));
        store.Keep(AnswerRow{id + (presetId.isEmpty() ? 0 : 1000), 1, HistoryOrigin::Practice, at, problem,
                             answer.Right ? QStringLiteral("56") : QStringLiteral("54"), answer.Right, answer.Millis});
        store.Keep(AnswerRow{id, 1, HistoryOrigin::Practice, at.addMSecs(500), QStringLiteral("6*7"),
                             QStringLiteral("41"), false, 1000});
    }
}

}  // namespace

class tst_Facts : public QObject {
    Q_OBJECT

private slots:
    void stateFromAnswers_data()
    {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<FactState>("state");

        using S = FactState;
        QTest::newRow("none") << 1 << 1 << "" << S::NotLearnt;
        QTest::newRow("one right") << 1 << 1 << "r2@0" << S::Learning;
        QTest::newRow("last wrong") << 1 << 1 << "r2@0 r2@1 w@2" << S::Unknown;
        QTest::newRow("15 s is not known") << 1 << 1 << "r2@0 r2@1 r15@2" << S::Unknown;
        QTest::newRow("14.9 s is learning") << 1 << 1 << "r2@0 r2@1 r14.9@2" << S::Learning;
        QTest::newRow("3.4 s on two days") << 1 << 1 << "r3.4@0 r3.4@0 r3.4@1" << S::Fluent;
        QTest::newRow("3.6 s is too slow in grade 1") << 1 << 1 << "r3.4@0 r3.4@0 r3.6@1" << S::Learning;
        QTest::newRow("a two-digit answer has 4 s") << 1 << 2 << "r3.9@0 r3.9@0 r3.9@1" << S::Fluent;
        QTest::newRow("grade 4 has 2.5 s") << 4 << 1 << "r2.4@0 r2.4@0 r2.6@1" << S::Learning;
        QTest::newRow("one day is not enough") << 1 << 1 << "r2@0 r2@0 r2@0" << S::Learning;
        QTest::newRow("more on one day keeps it") << 1 << 1 << "r2@0 r2@1 r2@1 r2@1 r2@1 r2@1" << S::Fluent;
        QTest::newRow("an old miss no longer counts") << 1 << 1 << "w@0 r2@0 r2@1 r2@1" << S::Fluent;
        QTest::newRow("a slow one in the last three") << 1 << 1 << "r2@0 r5@1 r2@1" << S::Learning;
        QTest::newRow("exam boxes are never fluent") << 1 << 1 << "r-@0 r-@1 r-@2" << S::Learning;
        QTest::newRow("fluent again six days on") << 1 << 1 << "r2@0 r2@0 r2@1 r2@7" << S::Fluent;
        QTest::newRow("fluent again seven days on") << 1 << 1 << "r2@0 r2@0 r2@1 r2@8" << S::Solid;
        QTest::newRow("solid counts from the first time fluent")
            << 1 << 1 << "r2@0 r2@0 r2@1 w@3 r2@4 r2@5 r2@8" << S::Solid;
        QTest::newRow("solid and then missed") << 1 << 1 << "r2@0 r2@0 r2@1 r2@8 w@9" << S::Unknown;
    }

    void stateFromAnswers()
    {
        QFETCH(int, grade);
        QFETCH(int, digits);
        QFETCH(QString, answers);
        QFETCH(FactState, state);
        QCOMPARE(FactStateName(StateOf(Answers(answers), FluentMillis(grade, digits))), FactStateName(state));
    }

    // The day a fact first became 熟练 is what the weekly report lists.
    void fluentSinceIsTheFirstTime()
    {
        FactRecord record;
        for (const FactAnswer &answer : Answers(u"r2@0 r2@1 r2@2 w@3 r2@4 r2@5 r2@6"_qs))
            record.Add(answer, FluentMillis(1, 1));
        QCOMPARE(record.FluentSince(), kMonday.addDays(2));
    }

    void factSets_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("family");

        QTest::newRow("9+4") << "9+4" << "20以内进位加法" << 7 << 2 << "9+4";
        QTest::newRow("13-8") << "13-8" << "20以内退位减法" << 2 << 6 << "13-8";
        QTest::newRow("3+7 makes ten without a carry") << "3+7" << "20以内不进位加法" << 2 << 6 << "3+7";
        QTest::newRow("7*8") << "7*8" << "乘法口诀" << 6 << 7 << "7*8";
        QTest::newRow("8*7 is of 7*8's family") << "8*7" << "乘法口诀" << 7 << 6 << "7*8";
        QTest::newRow("56/7") << "56/7" << "表内除法" << 5 << 7 << "56/7";
        QTest::newRow("a blank of 凑十") << "□+3=10" << "20以内不进位加法 · □+b" << 6 << 2 << "□+3=10";
        QTest::newRow("a blank of 表内除法") << "42÷□=6" << "表内除法 · a÷□" << 5 << 5 << "42÷□=6";
    }

    void factSets()
    {
        QFETCH(QString, key);
        QFETCH(QString, set);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, family);
        const std::optional<int> fact = FactOfKey(key);
        QVERIFY(fact);
        const Fact &f = AllFacts().at(*fact);
        QCOMPARE(FactSets().at(f.Set).Name, set);
        QCOMPARE(f.Row, row);
        QCOMPARE(f.Column, column);
        QCOMPARE(AllFacts().at(f.Family).Key, family);
        QCOMPARE(HistoryText(f.Question), key);
    }

    // Every problem a closed unit draws is one of its facts, a 0 aside,
    // and every fact of the unit is drawn.
    void unitsDrawTheirFacts()
    {
        for (const Preset &preset : Presets()) {
            for (int choice = 0; choice < std::max<int>(1, static_cast<int>(preset.Choices.size())); ++choice) {
                const PresetPick unit{preset.Id, choice};
                if (!IsClosedUnit(unit))
                    continue;
                const QList<int> facts = UnitFacts(unit);
                QSet<int> drawn;
                RandomSource source(static_cast<std::uint32_t>(preset.Id * 7 + choice));
                for (int k = 0; k < 60000; ++k) {
                    const Problem problem = preset.Draw(choice, source);
                    const std::optional<int> fact = FactOfProblem(problem);
                    if (preset.IsRare && preset.IsRare(problem) && (problem.Terms[0] == Term(0) || problem.Terms[1] == Term(0)))
                        continue;
                    QVERIFY2(fact && facts.contains(*fact), qPrintable(PresetTitle(preset, choice) + u' ' +
                                                                        HistoryText(problem)));
                    drawn.insert(*fact);
                }
                QCOMPARE(drawn.size(), facts.size());
            }
        }
    }

    void mastered_data()
    {
        QTest::addColumn<int>("known");
        QTest::addColumn<int>("of");
        QTest::addColumn<bool>("mastered");
        QTest::newRow("none") << 0 << 0 << false;
        QTest::newRow("89 %") << 32 << 36 << false;
        QTest::newRow("90 %") << 9 << 10 << true;
        QTest::newRow("all") << 36 << 36 << true;
    }

    void mastered()
    {
        QFETCH(int, known);
        QFETCH(int, of);
        QFETCH(bool, mastered);
        QList<FactRecord> records(of);
        for (int k = 0; k < known; ++k) {
            for (const FactAnswer &answer : Answers(u"r2@0 r2@0 r2@1"_qs))
                records[k].Add(answer, FluentMillis(1, 1));
        }
        for (int k = known; k < of; ++k)
            records[k].Add(Answers(u"r2@0"_qs).first(), FluentMillis(1, 1));
        QCOMPARE(IsMastered(records), mastered);
    }

    void todayUnit_data()
    {
        QTest::addColumn<int>("lastPreset");
        QTest::addColumn<int>("grade");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("masteredUpTo");  // every unit of a preset below this is mastered
        QTest::addColumn<QString>("unit");

        QTest::newRow("a first-grader in October") << 0 << 1 << QDate(2026, 10, 8) << 0 << "5以内加减";
        QTest::newRow("January is still 上册") << 0 << 2 << QDate(2027, 1, 20) << 0 << "100以内两位数加减两位数 · 不进位、不退位";
        QTest::newRow("February is 下册") << 0 << 1 << QDate(2027, 2, 1) << 0 << "20以内退位减法 · 十几减9";
        QTest::newRow("the drill's last unit first") << 16 << 1 << QDate(2026, 10, 8) << 0 << "7～9的乘法口诀（表内乘法） · 7～9的口诀";
        QTest::newRow("past the mastered units") << 6 << 1 << QDate(2026, 10, 8) << 7 << "20以内进位加法 · 全部";
        QTest::newRow("the term's last unit stays") << 0 << 1 << QDate(2026, 10, 8) << 99 << "20以内进位加法 · 全部";
        QTest::newRow("a sixth-grader in 上册") << 0 << 6 << QDate(2026, 10, 8) << 0 << "分数乘除";
        QTest::newRow("a sixth-grader in 下册 gets the last term") << 0 << 6 << QDate(2027, 3, 8) << 0 << "分数乘除";
        QTest::newRow("no grade, no drill") << 0 << 0 << QDate(2026, 10, 8) << 0 << "";
    }

    void todayUnit()
    {
        QFETCH(int, lastPreset);
        QFETCH(int, grade);
        QFETCH(QDate, today);
        QFETCH(int, masteredUpTo);
        QFETCH(QString, unit);
        const std::optional<PresetPick> last =
            lastPreset ? std::optional<PresetPick>(PresetPick{lastPreset, 0}) : std::nullopt;
        const std::optional<int> known = grade ? std::optional<int>(grade) : std::nullopt;
        // "全部" of preset 6 counts as mastered only below 7: it is the 上册's last unit.
        const std::optional<PresetPick> found = TodayUnit(last, known, today, [&](const PresetPick &pick) {
            return pick.PresetId < masteredUpTo && !(pick.PresetId == 6 && pick.Choice == 3);
        });
        QCOMPARE(found ? PresetTitle(*PresetOf(*found), found->Choice) : QString(), unit);
    }

    // Read back from a real history, a fact's state and the day it first
    // became 熟练 are those of all its answers, however long, and on any
    // day before today those of the answers until then.
    void statesFromTheHistory_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<int>("before");  // days after the first; 0: today

        QString long1;
        for (int d = 0; d < 40; ++d)
            long1 += QStringLiteral("r9@%1 w@%1 ").arg(d);
        QTest::newRow("none") << "" << 0;
        QTest::newRow("熟练 on two days") << "r2@0 r2@0 r2@1" << 0;
        QTest::newRow("牢固 a week on") << "r2@0 r2@0 r2@1 w@3 r2@4 r2@5 r2@8" << 0;
        QTest::newRow("as it was the day before") << "r2@0 r2@0 r2@1 w@3 r2@4 r2@5 r2@8" << 8;
        QTest::newRow("a long slow history") << long1 + "r2@40 r2@40 r2@41 r2@41 r2@41" << 0;
        QTest::newRow("a long run over many days") << long1 + "r2@41 r2@42 r2@43 r2@44 r2@44 r2@44 r2@44 r2@44 r2@44"
                                                   << 0;
        QTest::newRow("exam boxes") << "r-@0 r-@1 r-@2 w@3" << 0;
    }

    void statesFromTheHistory()
    {
        QFETCH(QString, answers);
        QFETCH(int, before);
        QTemporaryDir dir;
        HistoryStore store(HistoryStore::PathIn(dir.path() + u'/'));
        QVERIFY(store.Open());
        store.WaitForMigration();
        Keep(store, QStringLiteral("7*8"), answers);
        Keep(store, QStringLiteral("36+48"), answers, QStringLiteral("23"), QStringLiteral("两位数加减两位数（口算）"));
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);

        QList<FactAnswer> counted = Answers(answers);
        const QDate until = before ? kMonday.addDays(before) : QDate();
        if (until.isValid())
            counted.removeIf([&](const FactAnswer &a) { return a.Day >= until; });
        const int fact = *FactOfKey(u"7*8");
        FactRecord expected;
        for (const FactAnswer &answer : counted)
            expected.Add(answer, FactFluentMillis(fact));
        const FactRecord read = FactRecords(store, 1, {fact}, until).first();
        QCOMPARE(FactStateName(read.State()), FactStateName(expected.State()));
        // The first 熟练 day is read while it counts: for a fact 熟练 or 牢固.
        if (IsKnown(expected.State()))
            QCOMPARE(read.FluentSince(), expected.FluentSince());
        QCOMPARE(read.Recent().size(), expected.Recent().size());
        QCOMPARE(AllFactRecords(store, 1, until).at(fact).State(), expected.State());

        // The open unit's skill: every answer in its sessions, grade 3's time.
        FactRecord skill;
        for (const FactAnswer &answer : counted)
            skill.Add(answer, FluentMillis(3, 2));
        const FactRecord readSkill = UnitRecords(store, 1, {23, 0}, until).first();
        QCOMPARE(FactStateName(readSkill.State()), FactStateName(skill.State()));
        if (IsKnown(skill.State()))
            QCOMPARE(readSkill.FluentSince(), skill.FluentSince());
    }

    // 9加几 known on two days: that unit alone is ★ 已掌握, not 全部 nor the
    // mixed unit that holds its facts too.
    void masteredUnitsFromTheHistory()
    {
        QTemporaryDir dir;
        HistoryStore store(HistoryStore::PathIn(dir.path() + u'/'));
        QVERIFY(store.Open());
        store.WaitForMigration();
        for (const int fact : UnitFacts({6, 0}))
            Keep(store, AllFacts().at(fact).Key, u"r2@0 r2@0 r2@1"_qs);
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);
        const QList<PresetPick> mastered = MasteredUnits(store, 1);
        QCOMPARE(mastered, QList<PresetPick>{(PresetPick{6, 0})});
    }

    void masteredSentence()
    {
        QCOMPARE(MasteredSentence({6, 3}, {7, 0}), u"20以内进位加法 · 全部 已经掌握了！明天开始练 20以内退位减法 · 十几减9"_qs);
    }
};

QTEST_GUILESS_MAIN(tst_Facts)
#include "tst_facts.moc"
