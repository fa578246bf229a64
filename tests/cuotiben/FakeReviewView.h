#pragma once

#include "cuotiben/ReviewView.h"

#include <QString>
#include <QStringList>

// Records what the 错题本 window would show.
class FakeReviewView : public ReviewView {
public:
    QString dueText;
    int entryRefreshes = 0;
    QString first;
    QString second;
    int shownSign = 0;
    bool equalsShown = false;
    QString answer;
    bool answerReadOnly = true;
    bool confirmEnabled = false;
    int savesAsked = 0;
    int laterSavesAsked = 0;
    QStringList feedback;  // "对了", or the right equation after a miss
    QString finished;
    QStringList cues;
    QStringList messages;
    QStringList errors;
    QList<QList<Problem>> printed;
    QList<Problem> shownWhole;
    AnswerKind answerKey{};  // the key shown beside the keypad
    QString hint;            // the line by the answer box
    bool closed = false;

    void setDueText(const QString &text) override { dueText = text; }
    void entriesChanged() override { ++entryRefreshes; }
    void setOperands(const QString &f, const QString &s, const QString &) override
    {
        first = f;
        second = s;
    }
    void clearOperands() override
    {
        first.clear();
        second.clear();
    }
    void showOperatorSign(Operator op) override { shownSign = static_cast<int>(op); }
    void showEqualsSign() override { equalsShown = true; }
    void hideSigns() override
    {
        shownSign = 0;
        equalsShown = false;
    }
    QString answerText() const override { return answer; }
    void setAnswerText(const QString &text) override { answer = text; }
    QString typingText() const override { return answer; }
    void setTypingText(const QString &text) override { answer = text; }
    void openFraction(const QString &) override {}
    void showAnswerHint(const QString &text) override { hint = text; }
    void setAnswerReadOnly(bool readOnly) override { answerReadOnly = readOnly; }
    void setConfirmEnabled(bool enabled) override { confirmEnabled = enabled; }
    void showRightFeedback() override { feedback << QStringLiteral("对了"); }
    void showWrongFeedback(const QString &equation, const QString &) override { feedback << equation; }
    void clearFeedback() override { feedback.clear(); }
    void celebrate() override {}
    void setStarCount(int) override {}
    void celebrateConquest() override {}
    void celebrateFinish(const QString &text) override { finished = text; }
    void saveSoon() override { ++savesAsked; }
    void saveLater() override { ++laterSavesAsked; }
    void playCue(const QString &relativePath) override { cues << relativePath; }
    void showMessage(const QString &text) override { messages << text; }
    void showError(const QString &text) override { errors << text; }
    void printProblems(const QList<Problem> &problems) override { printed << problems; }
    void showProblem(const Problem &problem) override { shownWhole << problem; }
    void showAnswerKey(AnswerKind kind) override { answerKey = kind; }
    void closeWindow() override { closed = true; }
};
