#pragma once

#include <QSet>
#include <QString>
#include <optional>

class HistoryStore;

// The program's history stores, one per database folder, made on first use
// (never before the menu is on screen) and kept until the program ends, so
// that rows a window could not write are tried again on the next visit and
// once more at the end.
namespace Histories {

HistoryStore &For(const QString &databaseFolder);

// The ids of every child the history of that folder has rows of; none when
// it cannot be opened.
QSet<int> ChildrenIn(const QString &databaseFolder);

// At the program's end: writes what is still kept and closes the stores.
// Returns the error text when something is still unsaved.
std::optional<QString> WriteAllAndClose();

}  // namespace Histories
