#include "storage/SaveRetry.h"

#include "storage/PendingStore.h"

#include <QThread>
#include <utility>

SaveRetry::SaveRetry(PendingStore &store, Report report) : store_(store), report_(std::move(report))
{
    soon_.setSingleShot(true);
    QObject::connect(&soon_, &QTimer::timeout, &soon_, [this] { (void)Attempt(); });
}

void SaveRetry::Changed()
{
    unreported_ = true;
    soon_.start(0);
}

void SaveRetry::TryAgainSoon()
{
    if (store_.HasUnsavedChanges())
        soon_.start(0);
}

std::optional<QString> SaveRetry::Attempt()
{
    soon_.stop();
    const std::optional<StoreFile::SaveFailure> failure = store_.Save();
    if (!failure) {
        unreported_ = false;
        return std::nullopt;
    }
    if (failure->lockBusy) {
        soon_.start(RetryInterval);
        return std::nullopt;
    }
    return failure->text;
}

void SaveRetry::WindowClosed()
{
    if (!store_.HasUnsavedChanges())
        return;
    const std::optional<QString> error = Attempt();
    if (!error || !unreported_)
        return;
    unreported_ = false;
    report_(*error);
}

void SaveRetry::ProgramEnds()
{
    if (!store_.HasUnsavedChanges())
        return;
    // Nothing is on screen any more: waiting for another copy's save costs
    // the child nothing.
    const auto deadline = std::chrono::steady_clock::now() + EndWait;
    std::optional<StoreFile::SaveFailure> failure = store_.Save();
    while (failure && failure->lockBusy && std::chrono::steady_clock::now() < deadline) {
        QThread::msleep(static_cast<unsigned long>(StoreFile::kQuickLockWait.count()));
        failure = store_.Save();
    }
    soon_.stop();
    if (failure)
        report_(failure->text);
}
