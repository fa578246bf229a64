#pragma once

#include <QSet>

class HistoryStore;
class QString;
class SaveRetry;

// The program's history stores, one per database folder, made on first use
// (never before the menu is on screen) and kept until the program ends, so
// that rows a window could not write are tried again on the next visit and
// once more at the end. They are saved as the 错题本 is, by SaveRetry: a
// busy file or a running migration is tried again shortly, any other
// failure at the next answer, when the window closes and at the end.
namespace Histories {

HistoryStore &For(const QString &databaseFolder);
SaveRetry &SavesFor(const QString &databaseFolder);

// The ids of every child the history of that folder has rows of; none when
// it cannot be opened.
QSet<int> ChildrenIn(const QString &databaseFolder);

// At the program's end: lets a migration finish, writes what is still kept
// (the error box says what cannot be) and closes the stores.
void ProgramEnds();

}  // namespace Histories
