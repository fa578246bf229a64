#pragma once

#include "arithmetic/AnswerListener.h"
#include "storage/HistoryRows.h"

#include <QTimer>
#include <optional>

class HistoryStore;

// Keeps one visit's answers and sessions in the child's history. Rows are
// kept in memory at once and written in a batch a moment later, after the
// window has painted the next problem; a busy or failing file is tried again
// every few seconds. Nothing is shown during the drill or the exam: a
// failure, or the store's notice, is shown once when the window closes.
class HistoryFeed : public AnswerListener {
public:
    HistoryFeed(HistoryStore &store, int child, HistoryOrigin origin);
    HistoryFeed(const HistoryFeed &) = delete;
    HistoryFeed &operator=(const HistoryFeed &) = delete;

    void SessionStarted(const PracticeSetting &setting) override;
    void Answered(const CheckedAnswer &answer) override;
    void SessionScored(qint64 score) override;

    // The window has closed.
    void WindowClosed();

private:
    void EndSession();
    void Write();

    HistoryStore &store_;
    int child_;
    HistoryOrigin origin_;
    std::optional<SessionRow> session_;
    QTimer writeSoon_;
    QTimer retry_;
};
