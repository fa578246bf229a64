#pragma once

#include "cuotiben/Notebook.h"
#include "arithmetic/MissListener.h"

#include <QTimer>

// Keeps the misses of one visit to a drill or the exam room in the 错题本.
// Each miss is noted at once, in memory, and saved right after the window
// has shown what comes next (a zero-length timer), and once more when the
// window has closed. A notebook that cannot be read or written shows the
// general error box once per visit; the drill or the exam goes on, and every
// later save tries again, so nothing is lost once the fault is mended.
class NotebookFeed {
public:
    NotebookFeed(const QString &databaseFolder, MissSource source);
    NotebookFeed(const NotebookFeed &) = delete;
    NotebookFeed &operator=(const NotebookFeed &) = delete;

    // For the window's SetMissListener; it must not outlive the feed.
    MissListener Listener();
    void Note(const Problem &problem, const QString &answer);
    // The window has closed.
    void SaveNow();

private:
    Notebook notebook_;
    MissSource source_;
    QTimer saveSoon_;
    bool errorShown_ = false;
};
