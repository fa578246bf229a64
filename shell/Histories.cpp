#include "shell/Histories.h"

#include "notices/Notices.h"
#include "storage/HistoryQueries.h"
#include "storage/HistoryStore.h"
#include "storage/SaveRetry.h"

#include <QCoreApplication>

#include <map>
#include <memory>

namespace {

struct History {
    explicit History(const QString &databaseFolder)
        : store(HistoryStore::PathIn(databaseFolder)),
          saves(store, [](const QString &error) { Notices::ShowErrorBox(error); })
    {
    }

    HistoryStore store;
    SaveRetry saves;
};

std::map<QString, std::unique_ptr<History>> &Stores()
{
    static std::map<QString, std::unique_ptr<History>> stores;
    return stores;
}

// Qt SQL's connections must close while the application object lives.
void CloseAll()
{
    Stores().clear();
}

History &Of(const QString &databaseFolder)
{
    std::unique_ptr<History> &history = Stores()[databaseFolder];
    if (!history) {
        if (Stores().size() == 1)
            qAddPostRoutine(CloseAll);
        history = std::make_unique<History>(databaseFolder);
    }
    return *history;
}

}  // namespace

namespace Histories {

HistoryStore &For(const QString &databaseFolder)
{
    return Of(databaseFolder).store;
}

QSet<int> ChildrenIn(const QString &databaseFolder)
{
    HistoryStore &store = For(databaseFolder);
    // Rows still in memory are of children in the list, whose ids are
    // never given again anyway.
    return store.Open() ? HistoryQueries::Children(store) : QSet<int>();
}

SaveRetry &SavesFor(const QString &databaseFolder)
{
    return Of(databaseFolder).saves;
}

void ProgramEnds()
{
    for (auto &[folder, history] : Stores()) {
        // Nothing is on screen any more: the migration may take its time.
        history->store.WaitForMigration();
        history->saves.ProgramEnds();
    }
    Stores().clear();
}

}  // namespace Histories
