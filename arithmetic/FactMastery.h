#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

// How well a child knows one fact (or one skill of an open unit), from her
// answers to it in time order.
enum class FactState : std::uint8_t {
    NotLearnt,  // 未学: no answer yet
    Unknown,    // 不会: the last answer wrong, or 15 s or slower
    Learning,   // 学习中: the last answer right, not yet 熟练
    Fluent,     // 熟练: the last three (or more) right within the fluent time in a row, on two days or more
    Solid,      // 牢固: 熟练, and fluent again a week after it first became so
};

// "未学", "不会", "学习中", "熟练", "牢固".
QString FactStateName(FactState state);
// A mark that tells the states apart without their colours: ○ ✗ △ ✓ ◎.
QString FactStateMark(FactState state);
// 熟练 or 牢固.
inline bool IsKnown(FactState state)
{
    return state == FactState::Fluent || state == FactState::Solid;
}

// An answer of 15 s or slower is not known, right or not.
inline constexpr int TooSlowMillis = 15000;
// The fluent time: 3 s in grades 1–3 and 2 s from grade 4, with half a
// second for each digit of the answer (entering it by mouse takes as long).
int FluentMillis(int grade, int answerDigits);
// The digits of an answer as typed ("7……3" has two).
int AnswerDigits(const QString &answer);

struct FactAnswer {
    bool Right = false;
    // From the problem shown to its check; an exam box has none and counts
    // for right and wrong only, never as fluent.
    std::optional<int> Millis;
    QDate Day;
};

// What a fact's answers so far amount to, kept short: the last few answers
// and the day it first became 熟练, so the next answer updates it at once.
class FactRecord {
public:
    // How many of the last answers are kept.
    static constexpr int RecentCount = 5;

    // A record from a long history read at both ends: its last answers,
    // newest first, with the fluent time of each (at least RecentCount of
    // them, or all, and back past the last answer that was not fluent or to
    // three fluent ones on two days), and the day it first became 熟练.
    static FactRecord FromEnds(const QList<FactAnswer> &newestFirst, const QList<int> &fluentMillis,
                               std::optional<QDate> fluentSince);
    // Whether FromEnds has all the newest answers it needs.
    static bool HasEnoughNewest(const QList<FactAnswer> &newestFirst, const QList<int> &fluentMillis);

    // The next answer in time order, with the fluent time of its fact.
    void Add(const FactAnswer &answer, int fluentMillis);

    FactState State() const;
    // The day it first became 熟练, if it ever did.
    std::optional<QDate> FluentSince() const { return fluentSince_; }
    // The last answers, oldest first.
    const QList<FactAnswer> &Recent() const { return recent_; }

private:
    bool LastThreeFluent() const;

    QList<FactAnswer> recent_;
    // The answers right within the fluent time in a row up to the last, and
    // the day of the first of them: more practice on one day never undoes
    // 熟练 reached over two.
    int fluentRun_ = 0;
    QDate runStart_;
    std::optional<QDate> fluentSince_;
};

// The state of a fact from all its answers in time order.
FactState StateOf(const QList<FactAnswer> &answers, int fluentMillis);
