#pragma once

#include "arithmetic/MissListener.h"
#include "cuotiben/Notebook.h"
#include "storage/InstallFolder.h"
#include "storage/PendingStore.h"
#include "storage/SaveRetry.h"

#include <functional>
#include <memory>
#include <optional>

// The 错题本 of one database folder, kept for the whole run of the program:
// the drills and the exam room note each miss in it at once, in memory, and
// it is saved right after the window has shown what comes next. Saving
// follows SaveRetry: nothing is said during a drill or an exam; misses that
// could not be saved stay and go in with the next save that succeeds
// (another visit's, the 错题本 window's, or the retries when a window closes
// and when the program ends); the error box shows once when the window whose
// misses could not be saved closes.
class NotebookFeed {
public:
    // The one for the folder, made on first use.
    static NotebookFeed &Of(const QString &databaseFolder);
    // Saves every notebook still unsaved, reports what cannot be, and lets
    // them go.
    static void ProgramEnds();

    NotebookFeed(const NotebookFeed &) = delete;
    NotebookFeed &operator=(const NotebookFeed &) = delete;

    // Each save first makes the folders of the child whose notebook it is
    // again, when something took them away.
    void SaveInto(const InstallFolder &folder) { store_.folder = folder; }

    // For a window's SetMissListener, while the feed lives.
    MissListener Listener(MissSource source);
    // 今日练习's answers to the notebook's problems, as reviews; saved as the
    // misses are.
    std::function<void(const Problem &problem, bool right, const QString &answer)> Reviewer();
    // A problem whose fact became 牢固 in 今日练习 is conquered.
    std::function<void(const Problem &problem)> Conqueror();
    // The notebook itself, for the 错题本 window.
    const std::shared_ptr<Notebook> &Shared() const { return notebook_; }

    // A drill or the exam room has closed.
    void VisitEnded();
    // The 错题本 window has closed, having reported its own failures.
    void NotebookWindowClosed();

private:
    explicit NotebookFeed(const QString &databaseFolder);

    struct FolderFirst final : PendingStore {
        explicit FolderFirst(Notebook &notebook) : notebook(notebook) {}
        bool HasUnsavedChanges() const override { return notebook.HasUnsavedChanges(); }
        std::optional<StoreFile::SaveFailure> Save() override;

        Notebook &notebook;
        std::optional<InstallFolder> folder;
    };

    std::shared_ptr<Notebook> notebook_;
    FolderFirst store_;
    SaveRetry saves_;
};
