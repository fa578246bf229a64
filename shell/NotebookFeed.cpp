#include "shell/NotebookFeed.h"

#include "cuotiben/ReviewSchedule.h"
#include "notices/Notices.h"

NotebookFeed::NotebookFeed(const QString &databaseFolder, MissSource source)
    : notebook_(Notebook::PathIn(databaseFolder)), source_(source)
{
    saveSoon_.setSingleShot(true);
    saveSoon_.setInterval(0);
    QObject::connect(&saveSoon_, &QTimer::timeout, &saveSoon_, [this] { SaveNow(); });
}

MissListener NotebookFeed::Listener()
{
    return [this](const Problem &problem, const QString &answer) { Note(problem, answer); };
}

void NotebookFeed::Note(const Problem &problem, const QString &answer)
{
    notebook_.NoteMiss(problem, answer, source_, SystemToday());
    saveSoon_.start();
}

void NotebookFeed::SaveNow()
{
    saveSoon_.stop();
    const std::optional<QString> error = notebook_.Save();
    if (!error || errorShown_)
        return;
    errorShown_ = true;
    Notices::ShowErrorBox(*error);
}
