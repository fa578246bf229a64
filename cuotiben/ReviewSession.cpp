#include "cuotiben/ReviewSession.h"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/ProblemTexts.h"
#include "cuotiben/Notebook.h"
#include "cuotiben/ReviewView.h"
#include "arithmetic/ProblemText.h"
#include "sound/CueNames.h"
#include "notices/ErrorText.h"

#include <utility>

ReviewSession::ReviewSession(ReviewView &view, Notebook &notebook, Clock today)
    : view_(view), notebook_(notebook), today_(std::move(today))
{
}

QString ReviewSession::DueText(int dueCount)
{
    return QStringLiteral("今天要复习的错题：%1 道").arg(dueCount);
}

QString ReviewSession::DoneText(int rightCount, int wrongCount)
{
    QString text = QStringLiteral("今天的错题全部复习完了！\n答对 %1 道").arg(rightCount);
    if (wrongCount > 0)
        text += QStringLiteral("，答错的 %1 道明天再来").arg(wrongCount);
    return text;
}

void ReviewSession::Open()
{
    if (const std::optional<QString> error = notebook_.Load())
        ShowErrorOnce(*error);
    view_.entriesChanged();
    ShowDueCount();
}

void ReviewSession::ShowDueCount()
{
    view_.setDueText(DueText(static_cast<int>(notebook_.DueIndexes(today_()).size())));
}

QList<::Problem> ReviewSession::UnconqueredProblems() const
{
    QList<::Problem> open;
    for (const int index : notebook_.UnconqueredIndexes())
        open.append(notebook_.Entries().at(index).Problem);
    return open;
}

QList<::Problem> ReviewSession::DueProblems() const
{
    QList<::Problem> due;
    for (const int index : notebook_.DueIndexes(today_()))
        due.append(notebook_.Entries().at(index).Problem);
    return due;
}

void ReviewSession::StartReview()
{
    queue_ = DueProblems();
    tally_.Clear();
    if (queue_.isEmpty()) {
        view_.showMessage(NothingDue());
        return;
    }
    reviewing_ = true;
    view_.showEqualsSign();
    view_.setConfirmEnabled(true);
    view_.setAnswerReadOnly(false);
    if (answerListener_)
        answerListener_->SessionStarted({});
    view_.clearFeedback();
    streak_.BreakRun();
    ShowNextProblem();
}

void ReviewSession::ShowNextProblem()
{
    problem_ = queue_.first();
    if (const std::optional<ArithProblem> plain = AsArithProblem(problem_)) {
        view_.showOperatorSign(plain->OperatorCode);
        view_.setOperands(QString::number(plain->FirstOperand), QString::number(plain->SecondOperand),
                          SpokenProblem(problem_));
    } else {
        view_.showProblem(problem_);
    }
    view_.showAnswerKey(problem_.Kind());
    view_.showAnswerHint(QString());
    shown_.start();
}

void ReviewSession::DigitKey(int digit)
{
    if (!reviewing_)
        return;
    view_.setTypingText(AfterKeypadDigit(view_.typingText(), digit));
}

void ReviewSession::ZeroKey()
{
    DigitKey(0);
}

TypedKey ReviewSession::KeyTyped(QChar typed)
{
    return FilterTypedKey(typed, problem_.Kind(), reviewing_, [this] { Check(); });
}

void ReviewSession::Check()
{
    if (!reviewing_)
        return;
    const QString answer = view_.answerText();
    if (answer.isEmpty())
        return;
    const AnswerKind kind = problem_.Kind();
    // The notebook does not keep the unit a problem came from, so any equal
    // value is right in a review, as before 约分 is taught.
    const std::optional<Verdict> verdict = Judge(answer, problem_.Expected(), false);
    if (!verdict) {
        if (kind == AnswerKind::Whole)
            view_.showError(ErrorText::NotAValidInteger(answer));
        else
            view_.showAnswerHint(HowToWrite(kind));
        return;
    }
    const bool right = *verdict == Verdict::Right;
    if (answerListener_)
        answerListener_->Answered({problem_, answer, right, shown_.elapsed() / 1000.0, {}});
    view_.playCue(right ? CueNames::Dui() : CueNames::Cuo());
    if (right) {
        tally_.AddRight(RecordLine(problem_, answer));
        view_.showRightFeedback();
    } else {
        tally_.AddWrong(RecordLine(problem_, answer), AnswerText(problem_.Expected()));
        view_.showWrongFeedback(EquationText(problem_), SpokenEquation(problem_));
    }
    notebook_.NoteReview(problem_, right, answer, today_());
    if (const NotebookEntry *entry = notebook_.Find(problem_); right && entry && entry->Conquered())
        view_.celebrateConquest();
    if (streak_.Answered(right)) {
        view_.celebrate();
        view_.setStarCount(streak_.Stars());
    }

    view_.setAnswerText(QString());
    view_.clearOperands();
    queue_.removeFirst();
    if (!queue_.isEmpty())
        ShowNextProblem();
    view_.entriesChanged();
    ShowDueCount();
    view_.saveSoon();
    if (queue_.isEmpty())
        Finish();
}

void ReviewSession::Finish()
{
    reviewing_ = false;
    view_.showAnswerKey(AnswerKind::Whole);
    view_.showAnswerHint(QString());
    view_.hideSigns();
    view_.setConfirmEnabled(false);
    view_.setAnswerReadOnly(true);
    view_.celebrateFinish(DoneText(tally_.RightCount(), tally_.WrongCount()));
}

void ReviewSession::Clear()
{
    view_.setAnswerText(QString());
    view_.showAnswerHint(QString());
}

void ReviewSession::RemainderKey()
{
    if (!reviewing_)
        return;
    view_.setAnswerText(AfterRemainderKey(view_.answerText()));
}

void ReviewSession::PointKey()
{
    if (!reviewing_)
        return;
    view_.setTypingText(AfterPointKey(view_.typingText()));
}

void ReviewSession::FractionKey()
{
    if (!reviewing_)
        return;
    view_.openFraction(WholePartBeforeFraction(view_.answerText()));
}

void ReviewSession::PrintUnconquered()
{
    const QList<::Problem> open = UnconqueredProblems();
    if (open.isEmpty()) {
        view_.showMessage(NothingToPrint());
        return;
    }
    view_.printProblems(open);
}

void ReviewSession::Save()
{
    const std::optional<StoreFile::SaveFailure> failure = notebook_.Save();
    if (failure && failure->lockBusy)
        view_.saveLater();
    else if (failure)
        ShowErrorOnce(failure->text);
}

void ReviewSession::ShowErrorOnce(const QString &text)
{
    if (errorShown_)
        return;
    errorShown_ = true;
    view_.showError(text);
}

void ReviewSession::Leave()
{
    reviewing_ = false;
    Save();
    view_.closeWindow();
}
