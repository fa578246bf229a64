#include "shell/NotebookFeed.h"

#include "cuotiben/ReviewSchedule.h"
#include "notices/Notices.h"

#include <map>

namespace {

std::map<QString, std::unique_ptr<NotebookFeed>> &Feeds()
{
    static std::map<QString, std::unique_ptr<NotebookFeed>> feeds;
    return feeds;
}

}  // namespace

NotebookFeed::NotebookFeed(const QString &databaseFolder)
    : notebook_(std::make_shared<Notebook>(Notebook::PathIn(databaseFolder))),
      store_(*notebook_),
      saves_(store_, [](const QString &error) { Notices::ShowErrorBox(error); })
{
}

std::optional<StoreFile::SaveFailure> NotebookFeed::FolderFirst::Save()
{
    if (folder && notebook.HasUnsavedChanges()) {
        if (std::optional<QString> error = folder->PrepareChildFolder())
            return StoreFile::SaveFailure{*error};
    }
    return notebook.Save();
}

NotebookFeed &NotebookFeed::Of(const QString &databaseFolder)
{
    std::unique_ptr<NotebookFeed> &feed = Feeds()[Notebook::PathIn(databaseFolder)];
    if (!feed)
        feed.reset(new NotebookFeed(databaseFolder));
    return *feed;
}

void NotebookFeed::ProgramEnds()
{
    for (auto &[path, feed] : Feeds())
        feed->saves_.ProgramEnds();
    Feeds().clear();
}

MissListener NotebookFeed::Listener(MissSource source)
{
    return [this, source](const Problem &problem, const QString &answer) {
        notebook_->NoteMiss(problem, answer, source, SystemToday());
        saves_.Changed();
    };
}

std::function<void(const Problem &, bool, const QString &)> NotebookFeed::Reviewer()
{
    return [this](const Problem &problem, bool right, const QString &answer) {
        notebook_->NoteReview(problem, right, answer, SystemToday());
        saves_.Changed();
    };
}

std::function<void(const Problem &)> NotebookFeed::Conqueror()
{
    return [this](const Problem &problem) {
        notebook_->NoteSolid(problem, SystemToday());
        saves_.Changed();
    };
}

void NotebookFeed::VisitEnded()
{
    saves_.WindowClosed();
}

void NotebookFeed::NotebookWindowClosed()
{
    saves_.TryAgainSoon();
}
