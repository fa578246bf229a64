#pragma once

#include <QDate>
#include <functional>

class InstallFolder;
enum class DrillMode;

// One visit to each module, as the main menu makes it: a new window for the
// files of the layout in use, shown modally until it has closed. Misses in
// the drills and the exam room go to the 错题本 in the user's database folder,
// which the program keeps (NotebookFeed) until they are saved.
namespace ModuleWindows {

void OpenDrill(DrillMode mode, const InstallFolder &folder);
void OpenExamRoom(const InstallFolder &folder);
void OpenTipsBook(const InstallFolder &folder);
void OpenNotebook(const InstallFolder &folder);
// 成长记录; today is the day the charts end on.
void OpenGrowth(const InstallFolder &folder, const std::function<QDate()> &today = QDate::currentDate);

// 今日练习: the drill window in its own mode, over the child's unit.
void OpenDaily(const InstallFolder &folder, const std::function<QDate()> &today = QDate::currentDate);
// Whether the child has done a whole 今日练习 on day; a history that cannot
// be opened says no.
bool DailyDone(const InstallFolder &folder, QDate day);

// How many problems of the 错题本 are due today; a notebook that cannot be
// read counts none here (its window says why when opened).
int DueNotebookCount(const InstallFolder &folder);

}  // namespace ModuleWindows
