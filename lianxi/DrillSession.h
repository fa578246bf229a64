#pragma once

#include "arithmetic/AnswerListener.h"
#include "arithmetic/AnswerStreak.h"
#include "arithmetic/AnswerText.h"
#include "arithmetic/DrillTally.h"
#include "arithmetic/MissListener.h"
#include "arithmetic/ProblemGenerator.h"
#include "lianxi/DrillRecords.h"

#include <QElapsedTimer>
#include <QString>
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
    const ArithProblem &Problem() const { return problem_; }
    // Stars earned in this visit, one for every ten right in a row.
    int Stars() const { return streak_.Stars(); }

    // "还剩 7:31": the competition's time left for a runner at left.
    static QString TimeLeftText(int runnerLeft);
    static QString RightSoFarText(int right);

private:
    void NextProblem();
    bool IsCompetition() const;
    void ShowCompetitionProgress();

    DrillView &view_;
    DrillRecords records_;
    bool running_ = false;
    ArithProblem problem_;
    RandomSource source_;
    DrillTally tally_;
    AnswerStreak streak_;
    MissListener missListener_;
    AnswerListener *answerListener_ = nullptr;
    QElapsedTimer shown_;
};
