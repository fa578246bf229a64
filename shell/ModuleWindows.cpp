#include "shell/ModuleWindows.h"

#include "cuotiben/TForm5.h"
#include "jiqiao/TForm3.h"
#include "kaochang/TForm4.h"
#include "lianxi/DrillMode.h"
#include "lianxi/TForm2.h"
#include "storage/InstallFolder.h"
#include "shell/NotebookFeed.h"
#include "widgets/FlatButton.h"

namespace ModuleWindows {

void OpenDrill(DrillMode mode, const InstallFolder &folder)
{
    TForm2 drill(folder.UserRoot());
    // The drill window tells its mode by its caption, which it must find as
    // designed while it is being created: the captions come afterwards.
    drill.setWindowTitle(DrillTitle(mode));
    drill.SpeedButton17->setText(RestartCaption(mode));
    NotebookFeed &feed = NotebookFeed::Of(folder.UserDatabaseFolder());
    drill.SetMissListener(
        feed.Listener(mode == DrillMode::Practice ? MissSource::Practice : MissSource::Competition));
    drill.exec();
    feed.VisitEnded();
}

void OpenExamRoom(const InstallFolder &folder)
{
    TForm4 exam;
    NotebookFeed &feed = NotebookFeed::Of(folder.UserDatabaseFolder());
    exam.SetMissListener(feed.Listener(MissSource::Exam));
    exam.exec();
    feed.VisitEnded();
}

void OpenTipsBook(const InstallFolder &folder)
{
    TForm3 tips(folder.UserRoot());
    tips.exec();
}

void OpenNotebook(const InstallFolder &folder)
{
    NotebookFeed &feed = NotebookFeed::Of(folder.UserDatabaseFolder());
    TForm5 notebook(feed.Shared(), SystemToday);
    notebook.exec();
    feed.NotebookWindowClosed();
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
