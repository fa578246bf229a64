#include "shell/Histories.h"

#include "storage/HistoryStore.h"

#include <QCoreApplication>
#include <QSqlQuery>

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

QSet<int> ChildrenIn(const QString &databaseFolder)
{
    HistoryStore &store = For(databaseFolder);
    QSet<int> children;
    // Rows still in memory are of children in the list, whose ids are
    // never given again anyway.
    if (!store.Open())
        return children;
    QSqlQuery query(store.Database());
    if (!query.exec(QStringLiteral("SELECT child FROM sessions UNION SELECT child FROM answers")))
        return children;
    while (query.next())
        children.insert(query.value(0).toInt());
    return children;
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
