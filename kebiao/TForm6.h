#pragma once

#include "kebiao/PresetChoice.h"

#include <QDialog>

class BevelPanel;
class FlatButton;
class QLabel;
class QListWidget;

// 课本同步: the chooser of a textbook unit's preset, borderless and modal
// over the drill or the exam room. The terms on the left, the chosen term's
// units with an example and their 达标 figures, the unit's choices below.
// The units and choices the child has mastered carry a ★.
class TForm6 : public QDialog, private PresetChoiceView {
    Q_OBJECT

public:
    explicit TForm6(const PresetPick &current, PresetChoice::Mastery mastered = {}, QWidget *parent = nullptr);

    // Nothing when the child pressed 取消 (or Escape).
    const std::optional<PresetPick> &Result() const { return choice_.Result(); }

    BevelPanel *Panel1;
    QLabel *Label1;
    QLabel *Label2;
    QListWidget *ListBox1;  // terms
    QLabel *Label3;
    QListWidget *ListBox2;  // units
    QLabel *Label4;
    QListWidget *ListBox3;  // choices
    FlatButton *SpeedButton1;  // 确定
    FlatButton *SpeedButton2;  // 自由练习
    FlatButton *SpeedButton3;  // 取消

protected:
    void reject() override;

private:
    void ListBox1Click(int row);
    void ListBox2Click(int row);
    void ListBox3Click(int row);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();

    // PresetChoiceView
    void showTerms(const QStringList &terms, int selected) override;
    void showPresets(const QStringList &rows, int selected) override;
    void showChoices(const QStringList &choices, int selected) override;
    void closeChooser() override;

    PresetChoice choice_;
    bool closing_ = false;
};
