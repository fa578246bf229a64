#pragma once

#include "kaochang/ExamPaper.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class ExamButton { Print, Grade, HandIn, Start, Generate, Settings };  // 打印试卷 判卷 交卷 考试 出题 设置
enum class ExamPage { One, Two };
enum class NameBox { PageOne, PageTwo };
enum class ExamTick { RunnerStep, Countdown, Animation };
enum class Mark { Tick, Cross };

// A graded paper as it is printed: the child's answers as typed and which
// were right, in paper order, the name written on it and the score.
struct GradedPaper {
    QStringList typed;
    QList<bool> right;
    QString name;
    QString score;
};

// What the exam room's logic needs from its window. Slots are numbered 0 to
// 99, slots 0 to 49 on page one.
class ExamView {
public:
    virtual ~ExamView() = default;

    // The settings panel's four radio groups.
    virtual int questionCountIndex() const = 0;
    virtual int examTimeIndex() const = 0;
    virtual QString rangeText() const = 0;
    virtual int operationIndex() const = 0;
    virtual QString questionCountText() const = 0;
    virtual QString examTimeText() const = 0;
    virtual QString operationText() const = 0;

    virtual void setSettingsPanelVisible(bool visible) = 0;
    virtual void setPageVisible(ExamPage page, bool visible) = 0;
    virtual void setButtonEnabled(ExamButton button, bool enabled) = 0;
    virtual void setNextPageButtonVisible(bool visible) = 0;
    virtual void setNoticeVisible(bool visible) = 0;
    virtual void setNoticeText(const QString &text) = 0;
    virtual void setReviewHintVisible(bool visible) = 0;

    // The summary and the score are written on both pages alike.
    virtual void setSummary(const QString &examTime, const QString &questionCount, const QString &operation) = 0;
    virtual void setScoreText(const QString &text) = 0;
    virtual void setCountdownText(const QString &text) = 0;
    virtual QString nameText(NameBox box) const = 0;
    virtual void setNameText(NameBox box, const QString &text) = 0;

    // Blank label, empty borderless answer box in the window-text colour,
    // mark hidden and without hint: nothing of the slot left to reach.
    virtual void clearSlot(int slot) = 0;
    // The problem's text in the label and a border round the answer box.
    virtual void fillSlot(int slot, const QString &problemText) = 0;
    virtual QString answerText(int slot) const = 0;
    virtual void setAnswerText(int slot, const QString &text) = 0;
    // The preset's name on the settings panel, the range and operation lists
    // off; an empty title gives them back.
    virtual void showPreset(const QString &title) = 0;
    // The recipe's name on the settings panel and its rows (with what it is
    // short of) in place of the range and operation lists, the question
    // count off; an empty title gives them back.
    virtual void showRecipe(const QString &title, const QString &rows) = 0;
    // Time up or handed in: nothing more can be written into the paper.
    virtual void setAnswersReadOnly(bool readOnly) = 0;
    // Shows the mark with its hint; the answer turns blue under a tick and
    // red under a cross. On a preset's paper (answerBeside) the hint, the
    // right answer, also stands beside a crossed answer in small green type.
    virtual void markSlot(int slot, Mark mark, const QString &hint, bool answerBeside) = 0;

    // The runner: where it stands, and its next frame.
    virtual void setRunnerLeft(int x) = 0;
    virtual void animateRunner() = 0;

    virtual void setRunnerStepInterval(int milliseconds) = 0;
    virtual void startTick(ExamTick tick) = 0;
    virtual void stopTick(ExamTick tick) = 0;

    virtual void playCue(const QString &relativePath) = 0;
    virtual void showMessage(const QString &text) = 0;
    // Prints the paper where the user chooses: before grading its problems
    // alone, never a mark or a score (a preset's paper offers its page of
    // answers, after all the copies); once graded the child's answers marked,
    // the name and the score, then a page of the answers. A failure goes to
    // the error box.
    virtual void printPaper(const ExamPaper &paper, const std::optional<GradedPaper> &graded, bool presetPaper) = 0;
};
