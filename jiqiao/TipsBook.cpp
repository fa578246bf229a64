#include "jiqiao/TipsBook.h"

#include "jiqiao/TipsView.h"
#include "storage/DataFiles.h"
#include "storage/InstallFolder.h"

#include <QChar>
#include <QDir>
#include <QStringList>

namespace {

const QString kNothingTyped = QStringLiteral("你还没有输入技巧内容，请输入！");
const QString kSaved = QStringLiteral("保存完成！");
const QString kStillAdding = QStringLiteral("正在添加技巧，注意保存！");
constexpr char16_t kEnter = 13;

// Names each character, so the child knows what to take out.
QString CannotStore(const QStringList &characters)
{
    QStringList quoted;
    for (const QString &character : characters)
        quoted << QStringLiteral("“%1”").arg(character);
    return QStringLiteral("这条技巧里的%1存不进技巧囊，请删掉后再保存。").arg(quoted.join(u'、'));
}

// Holds for as long as the file is not mended, so it says what to do rather
// than that this one save failed.
QString StoreNotReadWhole(const QString &storePath)
{
    return QStringLiteral("技巧囊文件“%1”里有读不出来的内容。为了保护原有的技巧，它保持原样不动；"
                          "把它修好之前，不能添加新技巧。")
        .arg(QDir::toNativeSeparators(storePath));
}

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
    switch (result.outcome) {
    case TipSaveOutcome::NotStorable:
        view_.showMessage(CannotStore(result.unstorable));
        return;
    case TipSaveOutcome::StoreNotReadWhole:
        view_.showMessage(StoreNotReadWhole(storePath_));
        return;
    case TipSaveOutcome::NotWritten:
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
