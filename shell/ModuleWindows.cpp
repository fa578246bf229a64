#include "shell/ModuleWindows.h"

#include "chengzhang/TForm8.h"
#include "cuotiben/TForm5.h"
#include "jiqiao/TForm3.h"
#include "kebiao/ChoosePreset.h"
#include "kaochang/ChooseRecipe.h"
#include "kaochang/RecipeStore.h"
#include "kaochang/TForm4.h"
#include "lianxi/DrillMode.h"
#include "lianxi/TForm2.h"
#include "storage/InstallFolder.h"
#include "shell/Histories.h"
#include "shell/HistoryFeed.h"
#include "shell/NotebookFeed.h"
#include "notices/Notices.h"
#include "storage/ChildList.h"
#include "storage/HistoryStore.h"
#include "widgets/FlatButton.h"

#include <array>

namespace {

// The child's 错题本, saved into the child's folders, which are made again
// first when something took them away; the visit's records go there too.
NotebookFeed &FeedFor(const InstallFolder &folder)
{
    // Failing, each save says so itself.
    (void)folder.PrepareChildFolder();
    NotebookFeed &feed = NotebookFeed::Of(folder.UserDatabaseFolder());
    feed.SaveInto(folder);
    return feed;
}

// The child whose files these are, as the list has them now.
Child PractisingChild(const InstallFolder &folder)
{
    ChildList children(ChildList::PathIn(folder.SharedDatabaseFolder()));
    (void)children.Load();
    const Child *child = children.Find(folder.ChildId());
    return child ? *child : children.Current();
}

}  // namespace

namespace ModuleWindows {

void OpenDrill(DrillMode mode, const InstallFolder &folder)
{
    TForm2 drill(folder.UserRoot());
    const Child child = PractisingChild(folder);
    drill.ShowChild(child.name, ChildPictureResource(child.picture));
    // The drill window tells its mode by its caption, which it must find as
    // designed while it is being created: the captions come afterwards.
    drill.setWindowTitle(DrillTitle(mode));
    drill.SpeedButton17->setText(RestartCaption(mode));
    NotebookFeed &feed = FeedFor(folder);
    drill.SetMissListener(
        feed.Listener(mode == DrillMode::Practice ? MissSource::Practice : MissSource::Competition));
    HistoryFeed history(Histories::For(folder.SharedDatabaseFolder()),
                        Histories::SavesFor(folder.SharedDatabaseFolder()), folder.ChildId(),
                        mode == DrillMode::Practice ? HistoryOrigin::Practice : HistoryOrigin::Competition);
    drill.SetAnswerListener(&history);
    const QString memory = PresetMemory::PathIn(folder.UserDatabaseFolder());
    drill.SetPreset(PresetMemory::Read(memory, PresetMemory::Place::Drill));
    drill.SetPresetChooser([&drill, memory](const PresetPick &current) {
        return ChoosePreset(&drill, current, memory, PresetMemory::Place::Drill);
    });
    drill.exec();
    const Notices::OneErrorBox closing;
    feed.VisitEnded();
    history.WindowClosed();
}

void OpenExamRoom(const InstallFolder &folder)
{
    TForm4 exam;
    const Child child = PractisingChild(folder);
    exam.ShowChild(child.name, ChildPictureResource(child.picture));
    NotebookFeed &feed = FeedFor(folder);
    exam.SetMissListener(feed.Listener(MissSource::Exam));
    HistoryFeed history(Histories::For(folder.SharedDatabaseFolder()),
                        Histories::SavesFor(folder.SharedDatabaseFolder()), folder.ChildId(),
                        HistoryOrigin::Exam);
    exam.SetAnswerListener(&history);
    const QString memory = PresetMemory::PathIn(folder.UserDatabaseFolder());
    exam.SetPreset(PresetMemory::Read(memory, PresetMemory::Place::Exam));
    // A recipe used last goes before the preset: choosing a preset forgets
    // it.
    const QString recipes = RecipeStore::PathIn(folder.UserDatabaseFolder());
    const RecipeStore::ReadResult kept = RecipeStore::Read(recipes);
    if (kept.error)
        Notices::ShowErrorBox(*kept.error);
    if (kept.contents.last)
        exam.SetRecipe(*kept.contents.last);
    exam.SetPresetChooser([&exam, memory, recipes](const PresetPick &current) {
        const std::optional<PresetPick> pick = ChoosePreset(&exam, current, memory, PresetMemory::Place::Exam);
        if (pick) {
            if (const std::optional<QString> error = RecipeStore::Remember(recipes, std::nullopt))
                Notices::ShowErrorBox(*error);
        }
        return pick;
    });
    exam.SetRecipeChooser([&exam, recipes](const Recipe &current) { return ChooseRecipe(&exam, current, recipes); });
    exam.exec();
    const Notices::OneErrorBox closing;
    feed.VisitEnded();
    history.WindowClosed();
}

void OpenTipsBook(const InstallFolder &folder)
{
    // The tips book is the family's, whoever practises.
    TForm3 tips(folder.SharedRoot());
    tips.exec();
}

void OpenNotebook(const InstallFolder &folder)
{
    NotebookFeed &feed = FeedFor(folder);
    TForm5 notebook(feed.Shared(), SystemToday);
    const Child child = PractisingChild(folder);
    notebook.ShowChild(child.name, ChildPictureResource(child.picture));
    HistoryFeed history(Histories::For(folder.SharedDatabaseFolder()),
                        Histories::SavesFor(folder.SharedDatabaseFolder()), folder.ChildId(),
                        HistoryOrigin::Review);
    notebook.SetAnswerListener(&history);
    notebook.exec();
    const Notices::OneErrorBox closing;
    feed.NotebookWindowClosed();
    history.WindowClosed();
}

void OpenGrowth(const InstallFolder &folder, const std::function<QDate()> &today)
{
    NotebookFeed &feed = FeedFor(folder);
    HistoryStore &history = Histories::For(folder.SharedDatabaseFolder());
    if (!history.Open()) {
        Notices::ShowErrorBox(history.LastError());
        return;
    }
    if (history.Migrating()) {
        Notices::ShowNotice(QStringLiteral("成长记录正在升级，请过一会儿再打开。"));
        return;
    }
    if (const std::optional<QString> notice = history.TakeNotice())
        Notices::ShowNotice(*notice);
    // Answers still waiting for the file belong in the charts too.
    history.Write();
    GrowthSources sources;
    sources.store = &history;
    sources.child = folder.ChildId();
    sources.childName = PractisingChild(folder).name;
    sources.today = today;
    sources.notebookState = [&feed, today] {
        // The program's own notebook, read afresh: misses not saved yet
        // count too.
        Notebook &notebook = *feed.Shared();
        if (notebook.Load())
            return NotebookState{};
        const int conquered = notebook.ConqueredCount();
        return NotebookState{static_cast<int>(notebook.Entries().size()) - conquered,
                             static_cast<int>(notebook.DueIndexes(today()).size()), conquered};
    };
    // Saved as the drills' misses are: at once, or later when the file is
    // busy, and reported when the window closes.
    const std::array<MissListener, 3> noteMiss{feed.Listener(MissSource::Practice),
                                               feed.Listener(MissSource::Competition), feed.Listener(MissSource::Exam)};
    sources.sendToNotebook = [noteMiss](const Problem &problem, HistoryOrigin origin) -> std::optional<QString> {
        const MissSource source = origin == HistoryOrigin::Competition ? MissSource::Competition
                                  : origin == HistoryOrigin::Exam      ? MissSource::Exam
                                                                       : MissSource::Practice;
        noteMiss.at(static_cast<std::size_t>(source))(problem, QString());
        return std::nullopt;
    };
    TForm8 growth(sources);
    growth.exec();
    feed.VisitEnded();
}

int DueNotebookCount(const InstallFolder &folder)
{
    // The program's own notebook, read afresh: its changes not saved yet
    // count too.
    Notebook &notebook = *NotebookFeed::Of(folder.UserDatabaseFolder()).Shared();
    if (notebook.Load())
        return 0;
    return static_cast<int>(notebook.DueIndexes(SystemToday()).size());
}

}  // namespace ModuleWindows
