#include "kaochang/ExamRoom.h"

#include "kaochang/ExamGrading.h"
#include "kaochang/ExamView.h"
#include "arithmetic/AnswerText.h"
#include "arithmetic/AnswerValue.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ScoreText.h"
#include "sound/CueNames.h"

#include <QLocale>

namespace {

QString HandInAdvice()
{
    return QStringLiteral("请单击{判卷}，审核自己考试成绩！正确答案在判卷后对错符号的提示信息中！");
}

}  // namespace

ExamRoom::ExamRoom(ExamView &view) : view_(view) {}

void ExamRoom::SetPreset(const PresetPick &pick)
{
    const Preset *preset = PresetOf(pick);
    pick_ = preset ? pick : PresetPick{};
    view_.showPreset(preset ? PresetTitle(*preset, pick_.Choice) : QString());
}

void ExamRoom::ChoosePreset()
{
    if (!presetChooser_)
        return;
    if (const std::optional<PresetPick> pick = presetChooser_(pick_))
        SetPreset(*pick);
}

void ExamRoom::AnswerEdited(int slot)
{
    if (slot >= paper_.size())
        return;
    const QString typed = view_.answerText(slot);
    const QString tidied = TidiedAnswerText(typed, paper_.at(slot).Form.Kind());
    if (tidied != typed)
        view_.setAnswerText(slot, tidied);
}

void ExamRoom::AnswerTyped(int slot)
{
    if (examRunning_ && slot >= 0 && slot < SlotCount)
        changedAt_[static_cast<std::size_t>(slot)] = clock_();
}

void ExamRoom::Settings()
{
    view_.setSettingsPanelVisible(true);
    settingsOpen_ = true;
    view_.setPageVisible(ExamPage::One, false);
    view_.setButtonEnabled(ExamButton::Grade, false);
}

void ExamRoom::Apply()
{
    const int timeIndex = view_.examTimeIndex();
    examMinutes_ = (timeIndex + 1) * 10;
    view_.setRunnerStepInterval(RunnerStepInterval());
    questionCount_ = (view_.questionCountIndex() + 1) * 10;
    view_.setSettingsPanelVisible(false);
    settingsOpen_ = false;
    paperReady_ = true;
    Generate();
}

void ExamRoom::Generate()
{
    if (!paperReady_) {
        view_.showMessage(QStringLiteral("请先设置考试条件后再出试题！"));
        Settings();
        return;
    }
    view_.setPageVisible(ExamPage::One, false);
    view_.setNoticeVisible(true);
    ClearSlots();
    graded_.reset();
    const Preset *preset = PresetOf(pick_);
    presetPaper_ = preset != nullptr;
    if (preset)
        paper_ = GeneratePresetPaper(questionCount_, *preset, pick_.Choice, source_);
    else
        paper_ = GeneratePaper(questionCount_, view_.rangeText().toInt(),
                               static_cast<OperationChoice>(view_.operationIndex()), source_);
    for (int k = 0; k < questionCount_; ++k)
        view_.fillSlot(k, paper_.at(k).Text);
    view_.setAnswersReadOnly(false);
    view_.playCue(CueNames::Kaoshi());
    view_.setScoreText(QString());
    view_.setNoticeText(QStringLiteral("出题完成，请单击{考试}开始考试"));
    view_.setButtonEnabled(ExamButton::Start, true);
    view_.setButtonEnabled(ExamButton::Print, true);
}

void ExamRoom::ClearSlots()
{
    for (int k = 0; k < SlotCount; ++k)
        view_.clearSlot(k);
}

void ExamRoom::Start()
{
    // 设置 reopened over a ready paper covers it, and its radio buttons may
    // no longer match the paper: the child applies them first.
    if (settingsOpen_) {
        view_.showMessage(QStringLiteral("请先单击设置面板上的{设置}，确定考试条件！"));
        return;
    }
    view_.playCue(CueNames::Kaoshi());
    view_.setNoticeVisible(false);
    view_.setButtonEnabled(ExamButton::Generate, false);
    view_.setButtonEnabled(ExamButton::Settings, false);
    view_.setButtonEnabled(ExamButton::Print, false);
    paperReady_ = false;
    examRunning_ = true;
    graded_.reset();
    startedAt_ = clock_();
    changedAt_.fill(QDateTime());
    runnerLeft_ = RunnerStart;
    view_.setRunnerLeft(runnerLeft_);
    countdown_.Start(examMinutes_);
    view_.startTick(ExamTick::RunnerStep);
    view_.startTick(ExamTick::Countdown);
    view_.startTick(ExamTick::Animation);
    view_.setButtonEnabled(ExamButton::Start, false);
    view_.setButtonEnabled(ExamButton::HandIn, true);
    view_.setNameText(NameBox::PageOne, QString());
    view_.setNameText(NameBox::PageTwo, QString());
    view_.setNextPageButtonVisible(questionCount_ > SlotsPerPage);
    view_.setPageVisible(ExamPage::One, true);
    view_.setReviewHintVisible(false);
    const Preset *preset = PresetOf(pick_);
    view_.setSummary(view_.examTimeText(), view_.questionCountText(),
                     preset ? PresetTitle(*preset, pick_.Choice) : view_.operationText());
}

void ExamRoom::RunnerStep()
{
    if (runnerLeft_ <= RunnerEnd)
        return;
    --runnerLeft_;
    view_.setRunnerLeft(runnerLeft_);
    if (runnerLeft_ != RunnerEnd)
        return;
    // Time is up, but the paper is not handed in: the child still writes a
    // name and presses 交卷 before 判卷; the answers stay as they were.
    StopTicks();
    view_.setAnswersReadOnly(true);
    view_.showMessage(QStringLiteral("考试结束！"));
    view_.showMessage(HandInAdvice());
}

void ExamRoom::CountdownTick()
{
    view_.setCountdownText(countdown_.Tick());
}

void ExamRoom::AnimationTick()
{
    view_.animateRunner();
}

void ExamRoom::StopTicks()
{
    view_.stopTick(ExamTick::RunnerStep);
    view_.stopTick(ExamTick::Countdown);
    view_.stopTick(ExamTick::Animation);
}

void ExamRoom::NextPage()
{
    if (questionCount_ <= SlotsPerPage)
        return;
    view_.setPageVisible(ExamPage::One, false);
    view_.setPageVisible(ExamPage::Two, true);
}

void ExamRoom::PreviousPage()
{
    view_.setPageVisible(ExamPage::One, true);
    view_.setPageVisible(ExamPage::Two, false);
}

void ExamRoom::NameEdited(NameBox box, const QString &text)
{
    // Copied on every edit, so a name typed on page two with the cursor
    // still in its box is there when 交卷 looks at page one.
    view_.setNameText(box == NameBox::PageOne ? NameBox::PageTwo : NameBox::PageOne, text);
}

void ExamRoom::HandIn()
{
    if (view_.nameText(NameBox::PageOne).isEmpty()) {
        view_.showMessage(QStringLiteral("你忘记写名字了"));
        return;
    }
    view_.playCue(CueNames::Kaoshi());
    view_.setButtonEnabled(ExamButton::HandIn, false);
    view_.setButtonEnabled(ExamButton::Grade, true);
    StopTicks();
    view_.setAnswersReadOnly(true);
    examRunning_ = false;
    view_.setButtonEnabled(ExamButton::Generate, true);
    view_.setButtonEnabled(ExamButton::Settings, true);
    view_.setButtonEnabled(ExamButton::Print, true);
    view_.showMessage(HandInAdvice());
}

void ExamRoom::Grade()
{
    view_.playCue(CueNames::Kaoshi());
    view_.setButtonEnabled(ExamButton::Grade, false);
    QStringList typed;
    typed.reserve(questionCount_);
    for (int k = 0; k < questionCount_; ++k) {
        AnswerEdited(k);
        typed.append(view_.answerText(k));
    }
    const ExamGrade grade = GradeAnswers(typed, paper_);
    rightCount_ = grade.RightCount;
    score_ = grade.Score;
    for (int k = 0; k < questionCount_; ++k) {
        const QString hint = grade.NotReduced.at(k) ? NotReducedText() : AnswerText(paper_.at(k).Form.Expected());
        view_.markSlot(k, grade.Right.at(k) ? Mark::Tick : Mark::Cross, hint, presetPaper_);
    }
    view_.setScoreText(ScoreText(score_, QLocale()));
    view_.setReviewHintVisible(true);
    graded_ = GradedPaper{typed, grade.Right, {}, ScoreText(score_, QLocale())};
    if (answerListener_) {
        PracticeSetting setting = PickedSetting(view_.rangeText().toInt(),
                                                static_cast<OperationChoice>(view_.operationIndex()), pick_);
        setting.paperStarted = startedAt_;
        answerListener_->SessionStarted(setting);
        for (int k = 0; k < questionCount_; ++k)
            answerListener_->Answered({paper_.at(k).Form, typed.at(k), grade.Right.at(k), std::nullopt,
                                       changedAt_.at(static_cast<std::size_t>(k))});
        answerListener_->SessionScored(score_);
    }
    if (!missListener_)
        return;
    for (int k = 0; k < questionCount_; ++k) {
        if (!grade.Right.at(k))
            missListener_(paper_.at(k).Form, typed.at(k));
    }
}

void ExamRoom::Print()
{
    if (!graded_) {
        view_.printPaper(paper_, std::nullopt, presetPaper_);
        return;
    }
    // The name as it stands now, mended after grading or not.
    GradedPaper graded = *graded_;
    graded.name = view_.nameText(NameBox::PageOne);
    view_.printPaper(paper_, graded, presetPaper_);
}

bool ExamRoom::Leave()
{
    if (examRunning_) {
        view_.showMessage(QStringLiteral("考试进行中，请先交卷！"));
        return false;
    }
    view_.setButtonEnabled(ExamButton::Grade, false);
    view_.setCountdownText(QString());
    Settings();
    return true;
}
