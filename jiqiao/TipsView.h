#pragma once

class QString;

// What the tips book's logic needs from its window. The list itself follows
// the book's list model, so only its selection is asked for here.
class TipsView {
public:
    virtual ~TipsView() = default;

    // The selected row of the list, or -1 when none is.
    virtual int selectedRow() const = 0;

    // The detail box, Memo1.
    virtual void setDetailText(const QString &text) = 0;

    // The add box, Memo2.
    virtual QString newTipText() const = 0;
    virtual void clearNewTipText() = 0;

    // The add panel, Panel3.
    virtual bool addPanelShown() const = 0;
    virtual void setAddPanelShown(bool shown) = 0;

    // The save button, SpeedButton5.
    virtual void setSaveEnabled(bool enabled) = 0;

    // Runs SaveTip() again in a moment: another copy of the program was
    // saving the store.
    virtual void saveTipLater() = 0;

    virtual void showMessage(const QString &text) = 0;
    virtual void showError(const QString &text) = 0;
    virtual void closeWindow() = 0;
    virtual void minimiseApplication() = 0;
};
