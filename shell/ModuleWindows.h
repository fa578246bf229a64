#pragma once

class InstallFolder;
enum class DrillMode;

// One visit to each module, as the main menu makes it: a new window for the
// files of the layout in use, shown modally until it has closed. Misses in
// the drills and the exam room go to the 错题本 in the user's database folder.
namespace ModuleWindows {

void OpenDrill(DrillMode mode, const InstallFolder &folder);
void OpenExamRoom(const InstallFolder &folder);
void OpenTipsBook(const InstallFolder &folder);
void OpenNotebook(const InstallFolder &folder);

// How many problems of the 错题本 are due today; a notebook that cannot be
// read counts none here (its window says why when opened).
int DueNotebookCount(const InstallFolder &folder);

}  // namespace ModuleWindows
