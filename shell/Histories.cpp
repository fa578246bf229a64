#include "shell/Histories.h"

#include "storage/HistoryStore.h"

#include <QCoreApplication>

#include <map>
#include <memory>

namespace {

std::map<QString, std::unique_ptr<HistoryStore>> &Stores()
{
    static std::map<QString, std::unique_ptr<HistoryStore>> stores;
    return stores;
}

// Qt SQL's connections must close while the application object lives.
void CloseAll()
{
    Stores().clear();
}

}  // namespace

namespace Histories {

HistoryStore &For(const QString &databaseFolder)
{
    std::unique_ptr<HistoryStore> &store = Stores()[databaseFolder];
    if (!store) {
        if (Stores().size() == 1)
            qAddPostRoutine(CloseAll);
        store = std::make_unique<HistoryStore>(HistoryStore::PathIn(databaseFolder));
    }
    return *store;
}

std::optional<QString> WriteAllAndClose()
{
    std::optional<QString> error;
    for (auto &[folder, store] : Stores()) {
        // The program is ending: another copy may hold the file a moment longer.
        if (store->Write(1000) != HistoryStore::WriteResult::Written)
            error = store->LastError();
    }
    Stores().clear();
    return error;
}

}  // namespace Histories
