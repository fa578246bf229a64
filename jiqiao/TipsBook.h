#pragma once

#include "jiqiao/TipListModel.h"
#include "jiqiao/TipStore.h"

#include <QElapsedTimer>
#include <QString>
#include <chrono>

class QChar;
class TipsView;

// Where a character typed into the add box goes once the book has looked at
// it.
enum class TypedCharacter { ToAddBox, Swallowed };

// The tips book: lists the store's tips, shows one in full and adds new
// ones, saving the store after each.
class TipsBook {
public:
    // userRoot is the folder of the user's files, ending in a separator.
    TipsBook(TipsView &view, const QString &userRoot);

    void Create();
    void ListClicked();
    void ShowTipInFull();
    void OpenAddPanel();
    TypedCharacter CharacterTyped(QChar character) const;
    // Saves the tip in the add box. While another copy of the program is
    // saving the store it tries again, for a few seconds, before saying so;
    // the tip stays in the box.
    void SaveTip();
    void AddAnother();
    void BackToReading();
    void Leave();
    void Minimise();

    const TipStore &Store() const { return store_; }
    TipListModel &ListModel() { return listModel_; }
    int CurrentTipIndex() const { return currentTipIndex_; }
    bool SaveAllowed() const { return saveAllowed_; }
    const QString &StorePath() const { return storePath_; }

private:
    void RefreshTipList();
    void SetSaveAllowed(bool allowed);

    TipsView &view_;
    QString storePath_;
    TipStore store_;
    TipListModel listModel_{store_};
    // Since when the store's lock has been found busy, while it is.
    QElapsedTimer busySince_;
    int currentTipIndex_ = 0;
    bool saveAllowed_ = true;
};
