#pragma once

#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>

class PendingStore;

// Saves a store that drills and exams change, so that a save never gets in
// a child's way and nothing is lost while the program runs:
//
// - after a change it saves once the event loop is free, and never says a
//   word: a busy lock is tried again on a timer, any other failure at the
//   next change, when the window closes and when the program ends;
// - the changes stay in the store's memory until a save succeeds, whoever
//   makes it;
// - a failure is reported once when a window whose changes could not be
//   saved closes, and again at the program's end if they are still unsaved.
class SaveRetry {
public:
    using Report = std::function<void(const QString &errorText)>;

    // A busy lock is tried again after this.
    static constexpr std::chrono::milliseconds RetryInterval{400};
    // At the program's end a busy lock is waited for this long in all.
    static constexpr std::chrono::milliseconds EndWait{3000};

    SaveRetry(PendingStore &store, Report report);
    SaveRetry(const SaveRetry &) = delete;
    SaveRetry &operator=(const SaveRetry &) = delete;

    // The store changed: saves soon, quietly.
    void Changed();
    // Saves soon, quietly, if anything is still unsaved.
    void TryAgainSoon();
    // A window that changed the store has closed.
    void WindowClosed();
    // The program ends.
    void ProgramEnds();

    bool RetryPending() const { return soon_.isActive(); }

private:
    // Returns the failure's text unless the lock was only busy.
    std::optional<QString> Attempt();

    PendingStore &store_;
    Report report_;
    QTimer soon_;
    // Changes were made since the last report or success.
    bool unreported_ = false;
};
