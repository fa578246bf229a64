#pragma once

#include "arithmetic/AnswerListener.h"
#include "storage/HistoryRows.h"

#include <optional>

class HistoryStore;
class SaveRetry;

// Keeps one visit's answers and sessions in the child's history. Rows are
// kept in memory at once and written by the store's SaveRetry once the
// window has painted the next problem. Nothing is shown during the drill or
// the exam: a failure, or the store's notice, is shown once when the window
// closes.
class HistoryFeed : public AnswerListener {
public:
    HistoryFeed(HistoryStore &store, SaveRetry &saves, int child, HistoryOrigin origin);
    HistoryFeed(const HistoryFeed &) = delete;
    HistoryFeed &operator=(const HistoryFeed &) = delete;

    void SessionStarted(const PracticeSetting &setting) override;
    void Answered(const CheckedAnswer &answer) override;
    void SessionScored(qint64 score) override;

    // The window has closed.
    void WindowClosed();

private:
    void EndSession();

    HistoryStore &store_;
    SaveRetry &saves_;
    int child_;
    HistoryOrigin origin_;
    std::optional<SessionRow> session_;
};
