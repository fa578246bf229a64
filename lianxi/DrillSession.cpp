#include "lianxi/DrillSession.h"

#include "arithmetic/AnswerText.h"
#include "arithmetic/ProblemText.h"
#include "lianxi/DrillMode.h"
#include "lianxi/DrillRecords.h"
#include "arithmetic/DrillScore.h"
#include "lianxi/DrillView.h"
#include "arithmetic/ScoreText.h"
#include "sound/CueNames.h"
#include "notices/ErrorText.h"

#include <QLocale>
#include <utility>

DrillSession::DrillSession(DrillView &view, QString root) : view_(view), records_(std::move(root)) {}

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
    view_.answerListsEmptied();
    if (answerListener_)
        answerListener_->SessionStarted(RangeSetting(view_.rangeBound(), view_.operationChoice()));
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
    if (running_ && IsCompetition())
        view_.setCompetitionProgress(TimeLeftText(view_.runnerLeft()), RightSoFarText(tally_.RightCount()));
    else
        view_.setCompetitionProgress(QString(), QString());
}

void DrillSession::NextProblem()
{
    source_.Reseed();
    problem_ = DrawProblem(view_.rangeBound(), view_.operationChoice(), source_);
    view_.showOperatorSign(problem_.OperatorCode);
    view_.setOperands(QString::number(problem_.FirstOperand), QString::number(problem_.SecondOperand),
                      SpokenProblem(problem_));
    shown_.start();
}

void DrillSession::DigitKey(int digit)
{
    if (!running_)
        return;
    view_.setAnswerText(AfterKeypadDigit(view_.answerText(), digit));
}

void DrillSession::ZeroKey()
{
    DigitKey(0);
}

TypedKey DrillSession::KeyTyped(QChar typed)
{
    return FilterTypedKey(typed, running_, [this] { Check(); });
}

void DrillSession::Check()
{
    const QString answer = view_.answerText();
    if (answer.isEmpty())
        return;
    const std::optional<std::int32_t> value = ReadAnswer(answer);
    if (!value) {
        view_.showError(ErrorText::NotAValidInteger(answer));
        return;
    }
    const bool right = *value == problem_.Answer;
    if (answerListener_)
        answerListener_->Answered({problem_, answer, right, shown_.elapsed() / 1000.0});
    if (right) {
        view_.playCue(CueNames::Dui());
        tally_.AddRight(RecordLine(problem_, answer));
        view_.answerListGrew(AnswerList::Right);
        view_.showRightFeedback();
    } else {
        view_.playCue(CueNames::Cuo());
        tally_.AddWrong(RecordLine(problem_, answer), QString::number(problem_.Answer));
        view_.answerListGrew(AnswerList::Wrong);
        view_.showWrongFeedback(EquationText(problem_), SpokenEquation(problem_));
        if (missListener_)
            missListener_(problem_, answer);
    }
    if (streak_.Answered(right)) {
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
