#pragma once

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QSqlQuery>
#include <QStringList>
#include <functional>
#include <optional>

class HistoryStore;
enum class HistoryOrigin;

// The figures behind the 成长记录 charts and the weekly report, for one child
// and the days from first to today, both included. An answer dated after
// today was written while the clock ran ahead: it counts on today, once.

struct Figures {
    int total = 0;
    int right = 0;
    int timed = 0;  // answers with a time; exam boxes have none
    qint64 millis = 0;
    double Accuracy() const { return total ? 100.0 * right / total : 0.0; }
    // 题/分 over the timed answers.
    std::optional<double> PerMinute() const
    {
        return millis > 0 ? std::optional<double>(timed * 60000.0 / millis) : std::nullopt;
    }
};

struct DayFigures : Figures {
    QDate day;
};

// A preset, or without one the range and kind of sums ("100以内 加减").
struct SkillFigures : Figures {
    QString skill;
};

struct ProblemFigures {
    QString problem;  // "8+7", with the record signs + - * /
    int total = 0;
    int missed = 0;
    std::optional<double> averageSeconds;
};

struct PresetTarget {
    QString name;
    std::optional<double> perMinute;
    std::optional<double> accuracy;
};

// One answer as the mastery of facts reads it.
struct ProblemAnswer {
    bool right = false;
    std::optional<int> millis;
    QDate day;
    // The digits of the answer as typed; read for a preset's answers only.
    int answerDigits = 0;
};

// A child's answers to one problem, or in one preset's sessions, read from
// the newest or the oldest on for as long as the reader wants them, so that
// a fact's state costs a few rows however long its history. Answers on days
// before `before` count (every answer when it is null).
class AnswerReader {
public:
    enum class From { Newest, Oldest };
    // take returns whether it wants the next answer.
    using Take = std::function<bool(const ProblemAnswer &)>;

    AnswerReader(const HistoryStore &store, int child, QDate before = {});
    AnswerReader(const AnswerReader &) = delete;
    AnswerReader &operator=(const AnswerReader &) = delete;

    // The answers to a problem as the history keeps it ("8+7").
    void OfProblem(const QString &problem, From from, const Take &take);
    // The answers in the sessions of a preset (its id and its title with the
    // choice, as the sessions keep them).
    void OfPreset(const QString &presetId, const QString &presetName, From from, const Take &take);

private:
    void Read(QSqlQuery &query, const Take &take);

    int child_;
    int lastDay_;
    QSqlQuery newest_;
    QSqlQuery oldest_;
    QSqlQuery presetNewest_;
    QSqlQuery presetOldest_;
};

namespace HistoryQueries {

// Only the days with answers, in order; of one skill alone when one is given.
QList<DayFigures> PerDay(const HistoryStore &store, int child, QDate first, QDate today, const QString &skill = {});
// The days from the streak's possible start up to today with any answer.
QList<QDate> PractisedDays(const HistoryStore &store, int child, QDate first, QDate today);
// Days in a row ending today, or yesterday while today is still to come.
int Streak(const QList<QDate> &practisedDays, QDate today);
// The lowest accuracy first, then the slowest.
QList<SkillFigures> WeakestSkills(const HistoryStore &store, int child, QDate first, int limit);
// The most missed first, then the slowest; problems that were never missed
// and took under 5 seconds are left out.
QList<ProblemFigures> HardestProblems(const HistoryStore &store, int child, QDate first, int limit,
                                     const QString &skill = {});
// The preset of the most answers, if any answer had one.
std::optional<PresetTarget> MostPractisedPreset(const HistoryStore &store, int child, QDate first,
                                                const QString &skill = {});
// Every skill practised from first on, the most answers first.
QStringList Skills(const HistoryStore &store, int child, QDate first);

// The child's sessions and answers, each a CSV table of its own file.
QByteArray SessionsCsv(const HistoryStore &store, int child);
QByteArray AnswersCsv(const HistoryStore &store, int child);

// Where the child last missed the problem outside a 错题本 review (or last
// answered it, never having missed it there).
std::optional<HistoryOrigin> OriginOf(const HistoryStore &store, int child, const QString &problem);
// Every child with rows, whether the list still names them or not.
QSet<int> Children(const HistoryStore &store);

}  // namespace HistoryQueries
