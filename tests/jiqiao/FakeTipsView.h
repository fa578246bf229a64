#pragma once

#include "jiqiao/TipsView.h"

#include <QString>
#include <QStringList>

// The tips window without widgets: what the logic set is kept for a test to
// read, and what it asks for is whatever the test put here.
struct FakeTipsView : TipsView {
    int selected = -1;
    QString detail;
    QString newTip;
    bool panelShown = false;
    bool saveEnabled = false;
    QStringList messages;
    QStringList errors;
    bool closed = false;
    bool minimised = false;
    int laterSavesAsked = 0;

    int selectedRow() const override { return selected; }
    void setDetailText(const QString &text) override { detail = text; }
    QString newTipText() const override { return newTip; }
    void clearNewTipText() override { newTip.clear(); }
    bool addPanelShown() const override { return panelShown; }
    void setAddPanelShown(bool shown) override { panelShown = shown; }
    void setSaveEnabled(bool enabled) override { saveEnabled = enabled; }
    void saveTipLater() override { ++laterSavesAsked; }
    void showMessage(const QString &text) override { messages << text; }
    void showError(const QString &text) override { errors << text; }
    void closeWindow() override { closed = true; }
    void minimiseApplication() override { minimised = true; }
};
