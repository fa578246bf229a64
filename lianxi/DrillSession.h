#pragma once

#include "arithmetic/AnswerListener.h"
#include "arithmetic/AnswerStreak.h"
#include "arithmetic/AnswerText.h"
#include "arithmetic/DrillTally.h"
#include "arithmetic/MissListener.h"
#include "arithmetic/Presets.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"
#include "lianxi/DrillRecords.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <utility>

class DrillView;

// The practice and competition drill: problems, answers, the tally, the
// competition clock, the runner, the result panel and the records.
class DrillSession {
public:
    // root is the folder of the user's files, ending in a separator.
    DrillSession(DrillView &view, QString root);

    static QString NothingRecorded() { return QStringLiteral("本次学习还没有记录！"); }

    // Competition runner: it starts at the right end of the track and the
    // time is up when it reaches the left end, one pixel per second.
    static constexpr int RunnerStart = 672;
    static constexpr int RunnerFinish = 80;

    // Told of every wrong answer "确定" finds.
    void SetMissListener(MissListener listener) { missListener_ = std::move(listener); }
    // Told of each 开始 and every checked answer; not owned.
    void SetAnswerListener(AnswerListener *listener) { answerListener_ = listener; }
    // "课本同步" asks it for a preset.
    void SetPresetChooser(PresetChooser chooser) { presetChooser_ = std::move(chooser); }
    // Milliseconds of a steady clock, for 用时 and 速度.
    void SetClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

    // The problems come from the pick's preset, or from the range and
    // operation lists for free practice. Takes effect with the next problem.
    // Only a preset's drill shows marks, right answers, stars and its pace.
    void SetPreset(const PresetPick &pick);
    // A pick made while a drill runs starts a new drill.
    void ChoosePreset();
    // "余": the mark between 商 and 余数.
    void RemainderKey();
    // ".": a decimal's point.
    void PointKey();
    // "分数": the answer box becomes a stacked fraction, a number typed
    // before it its whole-number part.
    void FractionKey();

    void Create();
    void Start();
    void DigitKey(int digit);
    void ZeroKey();
    TypedKey KeyTyped(QChar typed);
    void Check();
    void Clear();
    void Leave();
    void StayOnTop();
    void Minimise();
    void AnimationTick();
    void CompetitionTick();

    void ShowResults();
    void CloseResults();
    void Restart();
    void SaveRecords();

    bool Running() const { return running_; }
    const DrillTally &Tally() const { return tally_; }
    // The problem on show, and the same as the classic drill keeps it
    // (empty for a preset's problem that is not a plain a ∘ b).
    const ::Problem &Current() const { return problem_; }
    ArithProblem Problem() const { return AsArithProblem(problem_).value_or(ArithProblem{}); }
    // The problem on show in its whole form, a preset's too.
    const ::Problem &WholeProblem() const { return problem_; }
    const PresetPick &Pick() const { return pick_; }
    // Stars earned in this visit, one for every ten right in a row.
    int Stars() const { return streak_.Stars(); }

    // "还剩 7:31": the competition's time left for a runner at left.
    static QString TimeLeftText(int runnerLeft);
    static QString RightSoFarText(int right);

private:
    void NextProblem();
    bool IsCompetition() const;
    bool HasPreset() const;
    bool WantsLowestTerms() const;
    void ShowCompetitionProgress();

    DrillView &view_;
    DrillRecords records_;
    bool running_ = false;
    // The 达标 celebration comes once a drill.
    bool standardCelebrated_ = false;
    ::Problem problem_;
    PresetPick pick_;
    RandomSource source_;
    DrillTally tally_;
    AnswerStreak streak_;
    MissListener missListener_;
    AnswerListener *answerListener_ = nullptr;
    QElapsedTimer shown_;
    PresetChooser presetChooser_;
    std::function<qint64()> clock_;
    qint64 startedAt_ = 0;
    qint64 lastAnswerAt_ = 0;
};
