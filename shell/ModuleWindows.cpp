#include "shell/ModuleWindows.h"

#include "chengzhang/TForm8.h"
#include "cuotiben/TForm5.h"
#include "jiqiao/TForm3.h"
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

namespace ModuleWindows {

void OpenDrill(DrillMode mode, const InstallFolder &folder)
{
    TForm2 drill(folder.UserRoot());
    // The drill window tells its mode by its caption, which it must find as
    // designed while it is being created: the captions come afterwards.
    drill.setWindowTitle(DrillTitle(mode));
    drill.SpeedButton17->setText(RestartCaption(mode));
    NotebookFeed feed(folder.UserDatabaseFolder(),
                      mode == DrillMode::Practice ? MissSource::Practice : MissSource::Competition);
    drill.SetMissListener(feed.Listener());
    HistoryFeed history(Histories::For(folder.SharedDatabaseFolder()), folder.ChildId(),
                        mode == DrillMode::Practice ? HistoryOrigin::Practice : HistoryOrigin::Competition);
    drill.SetAnswerListener(&history);
    drill.exec();
    feed.SaveNow();
    history.WindowClosed();
}

void OpenExamRoom(const InstallFolder &folder)
{
    TForm4 exam;
    NotebookFeed feed(folder.UserDatabaseFolder(), MissSource::Exam);
    exam.SetMissListener(feed.Listener());
    HistoryFeed history(Histories::For(folder.SharedDatabaseFolder()), folder.ChildId(), HistoryOrigin::Exam);
    exam.SetAnswerListener(&history);
    exam.exec();
    feed.SaveNow();
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
    TForm5 notebook(Notebook::PathIn(folder.UserDatabaseFolder()), SystemToday);
    HistoryFeed history(Histories::For(folder.SharedDatabaseFolder()), folder.ChildId(), HistoryOrigin::Review);
    notebook.SetAnswerListener(&history);
    notebook.exec();
    history.WindowClosed();
}

void OpenGrowth(const InstallFolder &folder, const std::function<QDate()> &today)
{
    const QString databaseFolder = folder.UserDatabaseFolder();
    HistoryStore &history = Histories::For(folder.SharedDatabaseFolder());
    if (!history.Open()) {
        Notices::ShowErrorBox(history.LastError());
        return;
    }
    if (const std::optional<QString> notice = history.TakeNotice())
        Notices::ShowNotice(*notice);
    // Answers still waiting for the file belong in the charts too.
    history.Write();
    GrowthSources sources;
    sources.store = &history;
    ChildList children(ChildList::PathIn(folder.SharedDatabaseFolder()));
    (void)children.Load();
    children.SetCurrent(folder.ChildId());
    sources.child = folder.ChildId();
    sources.childName = children.Current().name;
    sources.today = today;
    sources.notebookState = [databaseFolder, today] {
        Notebook notebook(Notebook::PathIn(databaseFolder));
        if (notebook.Load())
            return NotebookState{};
        const int conquered = notebook.ConqueredCount();
        return NotebookState{static_cast<int>(notebook.Entries().size()) - conquered,
                             static_cast<int>(notebook.DueIndexes(today()).size()), conquered};
    };
    sources.sendToNotebook = [databaseFolder, today](const ArithProblem &problem) -> std::optional<QString> {
        Notebook notebook(Notebook::PathIn(databaseFolder));
        notebook.NoteMiss(problem, QString(), MissSource::Practice, today());
        return notebook.Save();
    };
    TForm8 growth(sources);
    growth.exec();
}

int DueNotebookCount(const InstallFolder &folder)
{
    Notebook notebook(Notebook::PathIn(folder.UserDatabaseFolder()));
    if (notebook.Load())
        return 0;
    return static_cast<int>(notebook.DueIndexes(SystemToday()).size());
}

}  // namespace ModuleWindows
