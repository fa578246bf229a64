#pragma once

#include "kaochang/ExamRoom.h"
#include "kaochang/ExamView.h"

#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <set>

// An exam window without widgets: it holds what the window would show and
// records the messages and cues.
class FakeExamView : public ExamView {
public:
    struct Slot {
        QString problem;
        QString answer;
        bool bordered = false;
        bool markShown = false;
        Mark mark = Mark::Cross;
        QString hint;
    };

    // The settings panel, as the child leaves it.
    int questionIndex = 0;
    int timeIndex = 0;
    int rangeIndex = 0;
    int operation = 0;

    bool settingsPanel = true;
    bool pageOne = false;
    bool pageTwo = false;
    std::map<ExamButton, bool> enabled{{ExamButton::Print, false}, {ExamButton::Grade, false}, {ExamButton::HandIn, false},
                                       {ExamButton::Start, false}, {ExamButton::Generate, true},
                                       {ExamButton::Settings, true}};
    bool nextPageButton = true;
    bool notice = false;
    QString noticeText = QStringLiteral("正在出题，请稍等······");
    bool reviewHint = false;
    QStringList summary{QString(), QString(), QString()};
    QString score;
    QString countdown;
    QString nameOne;
    QString nameTwo;
    std::array<Slot, ExamRoom::SlotCount> strips{};
    int runnerLeft = ExamRoom::RunnerStart;
    int stepInterval = 1000;
    std::set<ExamTick> running;
    QStringList cues;
    QStringList messages;
    QList<ExamPaper> printed;

    int questionCountIndex() const override { return questionIndex; }
    int examTimeIndex() const override { return timeIndex; }
    QString rangeText() const override
    {
        const auto text = RangeItems.at(static_cast<std::size_t>(rangeIndex));
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    int operationIndex() const override { return operation; }
    QString questionCountText() const override { return QStringLiteral("%1 题").arg((questionIndex + 1) * 10); }
    QString examTimeText() const override { return QStringLiteral("%1 分钟").arg((timeIndex + 1) * 10); }
    QString operationText() const override
    {
        const auto text = OperationItems.at(static_cast<std::size_t>(operation));
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    void setSettingsPanelVisible(bool visible) override { settingsPanel = visible; }
    void setPageVisible(ExamPage page, bool visible) override
    {
        (page == ExamPage::One ? pageOne : pageTwo) = visible;
    }
    void setButtonEnabled(ExamButton button, bool on) override { enabled[button] = on; }
    void setNextPageButtonVisible(bool visible) override { nextPageButton = visible; }
    void setNoticeVisible(bool visible) override { notice = visible; }
    void setNoticeText(const QString &text) override { noticeText = text; }
    void setReviewHintVisible(bool visible) override { reviewHint = visible; }
    void setSummary(const QString &examTime, const QString &questionCount, const QString &op) override
    {
        summary = {examTime, questionCount, op};
    }
    void setScoreText(const QString &text) override { score = text; }
    void setCountdownText(const QString &text) override { countdown = text; }
    QString nameText(NameBox box) const override { return box == NameBox::PageOne ? nameOne : nameTwo; }
    void setNameText(NameBox box, const QString &text) override
    {
        (box == NameBox::PageOne ? nameOne : nameTwo) = text;
    }

    void clearSlot(int k) override { strips.at(static_cast<std::size_t>(k)) = Slot{}; }
    void fillSlot(int k, const QString &text) override
    {
        Slot &slot = strips.at(static_cast<std::size_t>(k));
        slot.problem = text;
        slot.bordered = true;
    }
    QString answerText(int k) const override { return strips.at(static_cast<std::size_t>(k)).answer; }
    void setAnswerText(int k, const QString &text) override { strips.at(static_cast<std::size_t>(k)).answer = text; }
    void showPreset(const QString &title) override { presetTitle = title; }
    QString presetTitle;
    void showRecipe(const QString &title, const QString &rows) override
    {
        recipeTitle = title;
        recipeRows = rows;
    }
    QString recipeTitle;
    QString recipeRows;
    bool answersReadOnly = false;
    void setAnswersReadOnly(bool readOnly) override { answersReadOnly = readOnly; }
    void markSlot(int k, Mark mark, const QString &hint, bool) override
    {
        Slot &slot = strips.at(static_cast<std::size_t>(k));
        slot.markShown = true;
        slot.mark = mark;
        slot.hint = hint;
    }

    void setRunnerLeft(int x) override { runnerLeft = x; }
    void animateRunner() override {}

    void setRunnerStepInterval(int milliseconds) override { stepInterval = milliseconds; }
    void startTick(ExamTick tick) override { running.insert(tick); }
    void stopTick(ExamTick tick) override { running.erase(tick); }

    void playCue(const QString &relativePath) override { cues << relativePath; }
    void showMessage(const QString &text) override { messages << text; }
    void printPaper(const ExamPaper &paper, const std::optional<GradedPaper> &, bool) override { printed << paper; }

    Slot &slot(int k) { return strips.at(static_cast<std::size_t>(k)); }
    // As a child types: nothing goes into a read-only paper.
    void typeAnswer(int k, const QString &text)
    {
        if (!answersReadOnly)
            slot(k).answer = text;
    }
};
