#include "shell/ModuleWindows.h"

#include "cuotiben/TForm5.h"
#include "jiqiao/TForm3.h"
#include "kebiao/ChoosePreset.h"
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
    NotebookFeed feed(folder.UserDatabaseFolder(),
                      mode == DrillMode::Practice ? MissSource::Practice : MissSource::Competition);
    drill.SetMissListener(feed.Listener());
    const QString memory = PresetMemory::PathIn(folder.UserDatabaseFolder());
    drill.SetPreset(PresetMemory::Read(memory, PresetMemory::Place::Drill));
    drill.SetPresetChooser([&drill, memory](const PresetPick &current) {
        return ChoosePreset(&drill, current, memory, PresetMemory::Place::Drill);
    });
    drill.exec();
    feed.SaveNow();
}

void OpenExamRoom(const InstallFolder &folder)
{
    TForm4 exam;
    NotebookFeed feed(folder.UserDatabaseFolder(), MissSource::Exam);
    exam.SetMissListener(feed.Listener());
    const QString memory = PresetMemory::PathIn(folder.UserDatabaseFolder());
    exam.SetPreset(PresetMemory::Read(memory, PresetMemory::Place::Exam));
    exam.SetPresetChooser([&exam, memory](const PresetPick &current) {
        return ChoosePreset(&exam, current, memory, PresetMemory::Place::Exam);
    });
    exam.exec();
    feed.SaveNow();
}

void OpenTipsBook(const InstallFolder &folder)
{
    TForm3 tips(folder.UserRoot());
    tips.exec();
}

void OpenNotebook(const InstallFolder &folder)
{
    TForm5 notebook(Notebook::PathIn(folder.UserDatabaseFolder()), SystemToday);
    notebook.exec();
}

int DueNotebookCount(const InstallFolder &folder)
{
    Notebook notebook(Notebook::PathIn(folder.UserDatabaseFolder()));
    if (notebook.Load())
        return 0;
    return static_cast<int>(notebook.DueIndexes(SystemToday()).size());
}

}  // namespace ModuleWindows
