#include "jiqiao/TipsBook.h"

#include "jiqiao/TipsView.h"
#include "storage/DataFiles.h"
#include "storage/InstallFolder.h"

#include <QChar>

namespace {

const QString kNothingTyped = QStringLiteral("你还没有输入技巧内容，请输入！");
const QString kSaved = QStringLiteral("保存完成！");
const QString kCannotStore = QStringLiteral("技巧中有无法保存的字符，请修改后再保存！");
const QString kStoreNotReadWhole = QStringLiteral("技巧囊没能完整读出来，为了保护里面原有的技巧，这次没有保存！");
const QString kStillAdding = QStringLiteral("正在添加技巧，注意保存！");
constexpr char16_t kEnter = 13;
// Another copy's save takes milliseconds; one that takes longer is stuck.
constexpr std::chrono::seconds kBusyPatience{3};

}  // namespace

TipsBook::TipsBook(TipsView &view, const QString &userRoot)
    : view_(view), storePath_(InstallFolder::Join(userRoot, TipStoreRelativePath()))
{
}

void TipsBook::Create()
{
    currentTipIndex_ = 0;
    SetSaveAllowed(true);
    if (const std::optional<QString> error = store_.LoadTips(storePath_))
        view_.showError(*error);
    RefreshTipList();
}

void TipsBook::RefreshTipList()
{
    listModel_.Rebuild();
}

void TipsBook::ListClicked()
{
    const int row = view_.selectedRow();
    currentTipIndex_ = row >= 0 ? row : listModel_.rowCount() - 1;
}

void TipsBook::ShowTipInFull()
{
    if (currentTipIndex_ >= 0 && currentTipIndex_ < store_.TipCount())
        view_.setDetailText(store_.TipAt(currentTipIndex_));
}

void TipsBook::OpenAddPanel()
{
    view_.setAddPanelShown(true);
    view_.clearNewTipText();
}

TypedCharacter TipsBook::CharacterTyped(QChar character) const
{
    return character.unicode() == kEnter ? TypedCharacter::Swallowed : TypedCharacter::ToAddBox;
}

void TipsBook::SaveTip()
{
    if (!saveAllowed_)
        return;
    const QString text = view_.newTipText();
    if (text.isEmpty()) {
        view_.showMessage(kNothingTyped);
        return;
    }
    const TipSaveResult result = store_.SaveNewTip(storePath_, text);
    if (result.outcome == TipSaveOutcome::LockBusy) {
        if (!busySince_.isValid())
            busySince_.start();
        if (!busySince_.hasExpired(std::chrono::milliseconds(kBusyPatience).count())) {
            view_.saveTipLater();
            return;
        }
    }
    busySince_.invalidate();
    switch (result.outcome) {
    case TipSaveOutcome::NotStorable:
        view_.showMessage(kCannotStore);
        return;
    case TipSaveOutcome::StoreNotReadWhole:
        view_.showMessage(kStoreNotReadWhole);
        return;
    case TipSaveOutcome::NotWritten:
    case TipSaveOutcome::LockBusy:
        view_.showError(result.errorText);
        return;
    case TipSaveOutcome::Saved:
        break;
    }
    RefreshTipList();
    view_.showMessage(kSaved);
    SetSaveAllowed(false);
}

void TipsBook::AddAnother()
{
    view_.clearNewTipText();
    SetSaveAllowed(true);
}

void TipsBook::BackToReading()
{
    SetSaveAllowed(true);
    view_.setAddPanelShown(false);
}

void TipsBook::Leave()
{
    if (view_.addPanelShown()) {
        view_.showMessage(kStillAdding);
        return;
    }
    view_.closeWindow();
}

void TipsBook::Minimise()
{
    view_.minimiseApplication();
}

void TipsBook::SetSaveAllowed(bool allowed)
{
    saveAllowed_ = allowed;
    view_.setSaveEnabled(allowed);
}
