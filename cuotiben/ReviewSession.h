#pragma once

#include "cuotiben/ReviewSchedule.h"
#include "arithmetic/AnswerListener.h"
#include "arithmetic/AnswerStreak.h"
#include "arithmetic/AnswerText.h"
#include "arithmetic/Problem.h"
#include "arithmetic/DrillTally.h"
#include "arithmetic/ProblemGenerator.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>

class Notebook;
class ReviewView;

// The 错题本 window's logic: it shows what is due and drills the problems
// due today one by one ("开始复习"), with the drill window's keypad, keyboard
// filter, cues and record lines. Each answer moves its entry on in the
// schedule and is saved right after the next problem is shown.
class ReviewSession {
public:
    ReviewSession(ReviewView &view, Notebook &notebook, Clock today = SystemToday);

    static QString NothingDue() { return QStringLiteral("今天没有要复习的错题！"); }
    // "今天要复习的错题：3 道".
    static QString DueText(int dueCount);
    // The celebration's text once every due problem has been answered, on
    // two lines: "今天的错题全部复习完了！" and "答对 6 道".
    static QString DoneText(int rightCount, int wrongCount);
    static QString NothingToPrint() { return QStringLiteral("错题本里没有要打印的错题！"); }

    // The window opens: the notebook is read and what is due is shown. A
    // notebook that cannot be read gives the error box and an empty list.
    void Open();
    // Told of each 开始复习 and every checked answer; not owned.
    void SetAnswerListener(AnswerListener *listener) { answerListener_ = listener; }
    // "开始复习": the first due problem, or the message that none is due.
    void StartReview();
    void DigitKey(int digit);
    void ZeroKey();
    TypedKey KeyTyped(QChar typed);
    // "确定", or Enter.
    void Check();
    // "清除".
    void Clear();
    // "余": the mark between 商 and 余数.
    void RemainderKey();
    // ".": a decimal's point.
    void PointKey();
    // "分数": a stacked fraction in the answer box.
    void FractionKey();
    // "打印错题": every problem not yet conquered on a practice sheet, due
    // ones first, or the message that there is none.
    void PrintUnconquered();
    // Writes what is unsaved; a failure gives the error box and the review
    // goes on, while a busy lock is tried again later. The window runs it
    // from saveSoon() and saveLater() and when it closes.
    void Save();
    // "离开": saves and closes.
    void Leave();

    bool Reviewing() const { return reviewing_; }
    // The problems due today, in the notebook's order.
    QList<::Problem> DueProblems() const;
    // Every problem not yet conquered, due and overdue ones first.
    QList<::Problem> UnconqueredProblems() const;
    // The problem on show, and the same as a plain a ∘ b when it is one.
    const ::Problem &Current() const { return problem_; }
    ArithProblem Problem() const { return AsArithProblem(problem_).value_or(ArithProblem{}); }
    // This review's answers, as the drill lists them.
    const DrillTally &Tally() const { return tally_; }

private:
    void ShowNextProblem();
    void ShowDueCount();
    void Finish();
    // A notebook that fails once is likely to fail again: the error box
    // shows once per window, while each save still tries.
    void ShowErrorOnce(const QString &text);

    ReviewView &view_;
    Notebook &notebook_;
    Clock today_;
    bool reviewing_ = false;
    // The problems of this review still to come, the one on show first.
    QList<::Problem> queue_;
    ::Problem problem_;
    DrillTally tally_;
    AnswerStreak streak_;
    bool errorShown_ = false;
    AnswerListener *answerListener_ = nullptr;
    QElapsedTimer shown_;
};
