#pragma once

#include "arithmetic/FactMastery.h"
#include "arithmetic/Presets.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

// One 今日练习: 25 problems, no clock. First the 错题本's problems due today,
// then mostly facts the child knows or is learning with a quarter she does
// not yet know (at most four new ones); a child new to the unit meets each
// of its facts once first. A missed problem comes again after two others
// and once more four to six problems later; no problem comes twice in a row.
// An open unit draws its problems as the drill does.
class TodaySession {
public:
    static constexpr int Length = 25;
    static constexpr int MostReviews = 10;
    static constexpr int MostNewFacts = 4;
    // Other problems between a miss and its first re-ask, and the range
    // between the first re-ask and the second.
    static constexpr int FirstGap = 2;
    static constexpr int SecondGapLeast = 4;
    static constexpr int SecondGapMost = 6;

    struct Item {
        Problem Question;
        std::optional<int> Fact;  // its AllFacts() index, when it is one of the unit's
        bool Review = false;      // from the 错题本
        bool Again = false;       // asked again after a miss
    };

    // records: the child's UnitRecords() of the unit before today's session;
    // dueReviews: the 错题本's problems due today, the first ten taken.
    TodaySession(const PresetPick &unit, const QList<FactRecord> &records, const QList<Problem> &dueReviews,
                 RandomSource source);

    const PresetPick &Unit() const { return unit_; }
    bool Done() const;
    // The problem to answer now; only while not Done().
    const Item &Current() const;
    // Problems answered so far.
    int Asked() const { return asked_; }

    // The answer to the current problem, on day; seconds as the drill times
    // them. Moves on to the next problem.
    void Answered(bool right, std::optional<double> seconds, QDate day);

    // The unit's records with today's answers added, in UnitRecords() order.
    const QList<FactRecord> &Records() const { return records_; }
    // Facts (AllFacts() indexes) 熟练 or 牢固 now that were not before the
    // session, in the order they got there.
    QList<int> NewlyKnown() const;
    // Facts 牢固 now that were not before: the 错题本 takes them as conquered.
    QList<int> NewlySolid() const;
    // "新学会 3 个：7+6 8+5 9+4", empty when nothing was learnt today.
    QString LearntSentence() const;

private:
    void PlanClosed(int count);
    void PlanOpen(int count);
    QList<Item> Composed(int count, const QList<int> &weak, const QList<int> &known);
    // Fills the next position: the 错题本's or a re-ask placed there, else
    // the first planned problem that neither repeats its neighbours nor
    // waits for a re-ask of its own.
    void ShowNext();
    void AskAgain(const Item &missed);
    // The first free position from at on.
    int FreeFrom(int at) const;
    std::optional<qsizetype> SlotOf(const Item &item) const;
    int FluentMillisOf(const Item &item) const;
    QList<int> Reached(const QList<int> &order, bool solid) const;

    PresetPick unit_;
    RandomSource source_;
    QList<int> facts_;  // UnitFacts(unit_); empty for an open unit
    QList<FactRecord> records_;
    QList<FactState> before_;
    // The problems shown, the one to answer now last.
    QList<Item> shown_;
    // The 错题本's and the re-asks, by position; a second re-ask may move
    // within its range to make room for another's first.
    struct Placed {
        Item item;
        int least = 0;
        int most = 0;
    };
    QMap<int, Placed> placed_;
    // The planned problems not yet shown, in order.
    QList<Item> planned_;
    int asked_ = 0;
    // Slots in the order they first became known, or solid, today.
    QList<int> knownOrder_;
    QList<int> solidOrder_;
};
