#include "lianxi/DrillSession.h"

#include "arithmetic/AnswerText.h"
#include "arithmetic/AnswerValue.h"
#include "arithmetic/DrillPace.h"
#include "arithmetic/ProblemTexts.h"
#include "arithmetic/ProblemText.h"
#include "lianxi/DrillMode.h"
#include "lianxi/DrillRecords.h"
#include "arithmetic/DrillScore.h"
#include "lianxi/DrillView.h"
#include "arithmetic/ScoreText.h"
#include "sound/CueNames.h"
#include "notices/ErrorText.h"

#include <QLocale>
#include <chrono>
#include <utility>

DrillSession::DrillSession(DrillView &view, QString root)
    : view_(view), records_(std::move(root)), clock_([] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now().time_since_epoch())
              .count();
      })
{
}

void DrillSession::SetPreset(const PresetPick &pick)
{
    const ::Preset *preset = PresetOf(pick);
    pick_ = preset ? pick : PresetPick{};
    view_.showPreset(preset ? PresetTitle(*preset, pick_.Choice) : QString(),
                     preset ? preset->Kind : AnswerKind::Whole);
    view_.clearFeedback();
    view_.setStarCount(preset ? streak_.Stars() : 0);
    ShowCompetitionProgress();
}

bool DrillSession::HasPreset() const
{
    return PresetOf(pick_) != nullptr;
}

bool DrillSession::WantsLowestTerms() const
{
    const ::Preset *preset = PresetOf(pick_);
    return preset && preset->WantsLowestTerms;
}

void DrillSession::ChoosePreset()
{
    if (!presetChooser_)
        return;
    const std::optional<PresetPick> pick = presetChooser_(pick_);
    if (!pick)
        return;
    SetPreset(*pick);
    // The problem on show and the tally belong to the drill of the last
    // pick: a new one starts as "开始" starts it.
    if (running_)
        Restart();
}

void DrillSession::RemainderKey()
{
    if (!running_)
        return;
    view_.setAnswerText(AfterRemainderKey(view_.answerText()));
}

void DrillSession::PointKey()
{
    if (!running_)
        return;
    view_.setTypingText(AfterPointKey(view_.typingText()));
}

void DrillSession::FractionKey()
{
    if (!running_)
        return;
    view_.openFraction(WholePartBeforeFraction(view_.answerText()));
}

void DrillSession::Create()
{
    view_.selectFirstItems();
    running_ = false;
}

bool DrillSession::IsCompetition() const
{
    return view_.drillTitle() == DrillTitle(DrillMode::Competition);
}

void DrillSession::Start()
{
    running_ = true;
    if (IsCompetition()) {
        view_.setRunnerLeft(RunnerStart);
        view_.startTimers();
    }
    view_.showEqualsSign();
    view_.setTimeUpMessageVisible(false);
    view_.setResultPanelVisible(false);
    view_.setConfirmEnabled(true);
    view_.setAnswerReadOnly(false);
    view_.clearFeedback();
    tally_.Clear();
    records_.StartNewDrill();
    streak_.BreakRun();
    standardCelebrated_ = false;
    view_.answerListsEmptied();
    if (answerListener_)
        answerListener_->SessionStarted(PickedSetting(view_.rangeBound(), view_.operationChoice(), pick_));
    startedAt_ = clock_();
    lastAnswerAt_ = startedAt_;
    ShowCompetitionProgress();
    NextProblem();
}

QString DrillSession::TimeLeftText(int runnerLeft)
{
    const int seconds = qMax(0, runnerLeft - RunnerFinish);
    return QStringLiteral("还剩 %1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString DrillSession::RightSoFarText(int right)
{
    return QStringLiteral("答对 %1 道").arg(right);
}

void DrillSession::ShowCompetitionProgress()
{
    if (running_ && IsCompetition() && HasPreset())
        view_.setCompetitionProgress(TimeLeftText(view_.runnerLeft()), RightSoFarText(tally_.RightCount()));
    else
        view_.setCompetitionProgress(QString(), QString());
}

void DrillSession::NextProblem()
{
    view_.showAnswerHint(QString());
    source_.Reseed();
    if (const ::Preset *preset = PresetOf(pick_)) {
        problem_ = DrawNext(*preset, pick_.Choice, source_, problem_);
        view_.showProblem(problem_);
        shown_.start();
        return;
    }
    const ArithProblem drawn = DrawProblem(view_.rangeBound(), view_.operationChoice(), source_);
    problem_ = Problem::From(drawn);
    view_.showOperatorSign(drawn.OperatorCode);
    view_.setOperands(QString::number(drawn.FirstOperand), QString::number(drawn.SecondOperand),
                      SpokenProblem(problem_));
    shown_.start();
}

void DrillSession::DigitKey(int digit)
{
    if (!running_)
        return;
    view_.setTypingText(AfterKeypadDigit(view_.typingText(), digit));
}

void DrillSession::ZeroKey()
{
    DigitKey(0);
}

TypedKey DrillSession::KeyTyped(QChar typed)
{
    return FilterTypedKey(typed, problem_.Kind(), running_, [this] { Check(); });
}

void DrillSession::Check()
{
    const QString answer = view_.answerText();
    if (answer.isEmpty())
        return;
    const AnswerKind kind = problem_.Kind();
    const std::optional<Verdict> verdict = Judge(answer, problem_.Expected(), WantsLowestTerms());
    if (!verdict) {
        // A whole number keeps the drill's own error; another kind is told
        // by the box how it is written, and nothing is counted.
        if (kind == AnswerKind::Whole)
            view_.showError(ErrorText::NotAValidInteger(answer));
        else
            view_.showAnswerHint(HowToWrite(kind));
        return;
    }
    // The right value not yet reduced counts neither way: the child reduces
    // it and checks again.
    if (*verdict == Verdict::NotReduced) {
        view_.showAnswerHint(NotReducedText());
        return;
    }
    lastAnswerAt_ = clock_();
    const bool right = *verdict == Verdict::Right;
    if (answerListener_)
        answerListener_->Answered({problem_, answer, right, shown_.elapsed() / 1000.0, {}});
    if (right) {
        view_.playCue(CueNames::Dui());
        tally_.AddRight(RecordLine(problem_, answer));
        view_.answerListGrew(AnswerList::Right);
        if (HasPreset())
            view_.showRightFeedback();
    } else {
        view_.playCue(CueNames::Cuo());
        tally_.AddWrong(RecordLine(problem_, answer), AnswerText(problem_.Expected()));
        view_.answerListGrew(AnswerList::Wrong);
        if (HasPreset())
            view_.showWrongFeedback(EquationText(problem_), SpokenEquation(problem_));
        if (missListener_)
            missListener_(problem_, answer);
    }
    // Free practice keeps to the two sounds: no mark, no card, no stars.
    if (HasPreset() && streak_.Answered(right)) {
        view_.celebrate();
        view_.setStarCount(streak_.Stars());
    }
    view_.setAnswerText(QString());
    view_.clearOperands();
    NextProblem();
    ShowCompetitionProgress();
}

void DrillSession::Clear()
{
    view_.setAnswerText(QString());
    view_.showAnswerHint(QString());
}

void DrillSession::Leave()
{
    running_ = false;
    view_.setStaysOnTop(false);
    view_.stopTimers();
    view_.setConfirmEnabled(false);
    view_.setAnswerReadOnly(true);
    tally_.Clear();
    view_.hideRunner();
    view_.setTimeUpMessageVisible(false);
    view_.clearFeedback();
    view_.showAnswerHint(QString());
    view_.setCompetitionProgress(QString(), QString());
    view_.answerListsEmptied();
    view_.clearOperands();
    view_.setAnswerText(QString());
    view_.closeWindow();
}

void DrillSession::StayOnTop()
{
    view_.setStaysOnTop(true);
}

void DrillSession::Minimise()
{
    view_.minimiseApplication();
}

void DrillSession::AnimationTick()
{
    view_.animateRunner();
}

void DrillSession::CompetitionTick()
{
    if (view_.runnerLeft() > RunnerFinish)
        view_.setRunnerLeft(view_.runnerLeft() - 1);
    if (view_.runnerLeft() != RunnerFinish) {
        ShowCompetitionProgress();
        return;
    }
    running_ = false;
    ShowCompetitionProgress();
    view_.stopTimers();
    view_.setTimeUpMessageVisible(true);
    view_.setConfirmEnabled(false);
    view_.setAnswerReadOnly(true);
    ShowResults();
}

void DrillSession::ShowResults()
{
    if (tally_.TotalCount() == 0) {
        view_.showMessage(NothingRecorded());
        return;
    }
    view_.setBottomButtonsEnabled(false);
    view_.setResultPanelVisible(true);
    view_.setResultValues(QString::number(tally_.TotalCount()), QString::number(tally_.RightCount()),
                          QString::number(tally_.WrongCount()),
                          ScoreText(DrillScore(tally_.RightCount(), tally_.TotalCount()), QLocale()));
    if (const ::Preset *preset = PresetOf(pick_)) {
        const DrillPace pace{tally_.TotalCount(), tally_.RightCount(), lastAnswerAt_ - startedAt_};
        view_.setResultPace(pace.TimeText(), pace.SpeedText(), pace.Verdict(*preset));
        if (pace.Meets(*preset) && !standardCelebrated_) {
            standardCelebrated_ = true;
            view_.celebrateStandard(pace.Verdict(*preset));
        }
    }
}

void DrillSession::CloseResults()
{
    view_.setBottomButtonsEnabled(true);
    view_.setResultPanelVisible(false);
}

void DrillSession::Restart()
{
    view_.setBottomButtonsEnabled(true);
    Start();
}

void DrillSession::SaveRecords()
{
    if (tally_.TotalCount() == 0) {
        view_.showMessage(NothingRecorded());
        return;
    }
    const QString title = view_.drillTitle();
    RecordFolders folders;
    if (title == DrillTitle(DrillMode::Practice))
        folders = PracticeRecordFolders();
    else if (title == DrillTitle(DrillMode::Competition))
        folders = CompetitionRecordFolders();
    else
        return;
    if (const QString error = records_.Save(folders, tally_, RecordDateText()); !error.isEmpty()) {
        view_.showError(error);
        return;
    }
    view_.showMessage(QStringLiteral("保存完成！"));
}
