#pragma once

#include "kaochang/RecipeEditing.h"

#include <QDialog>
#include <array>

class BevelPanel;
class FlatButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;

// 组卷: the recipe editor, borderless and modal over the exam room. The saved
// recipes and the name on the left; six rows of unit (or the classic range
// and operation) and number of questions, the order and the total on the
// right.
class TForm9 : public QDialog, private RecipeEditorView {
    Q_OBJECT

public:
    TForm9(const Recipe &current, const QString &storePath, QWidget *parent = nullptr);

    // Nothing when the teacher pressed 取消 (or Escape); an empty recipe for
    // 不用组卷.
    const std::optional<Recipe> &Result() const { return editing_.Result(); }

    BevelPanel *Panel1;
    QLabel *Label1;
    QLabel *Label2;
    QListWidget *ListBox1;  // saved recipes
    QLabel *Label3;
    QLineEdit *Edit1;  // the recipe's name
    FlatButton *SpeedButton4;  // 保存
    QLabel *Label4;
    // Row r: its unit ComboBox1..6, choice or range ComboBox7..12,
    // operation ComboBox13..18 (classic rows only), questions SpinEdit1..6.
    std::array<QComboBox *, RecipeEditing::RowCount> UnitBoxes{};
    std::array<QComboBox *, RecipeEditing::RowCount> ChoiceBoxes{};
    std::array<QComboBox *, RecipeEditing::RowCount> OperationBoxes{};
    std::array<QSpinBox *, RecipeEditing::RowCount> CountBoxes{};
    QRadioButton *RadioButton1;  // 按顺序
    QRadioButton *RadioButton2;  // 打乱
    QLabel *Label5;  // the total
    QLabel *Label6;  // what the presets are short of
    FlatButton *SpeedButton1;  // 确定
    FlatButton *SpeedButton2;  // 不用组卷
    FlatButton *SpeedButton3;  // 取消

protected:
    void reject() override;

private:
    void BuildRow(int row);
    // A row's second box: the preset's choices, or the ranges for classic.
    void FillChoices(int row, int unitIndex);
    void RowEdited();
    Recipe Draft() const;

    void ListBox1Click(int row);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

    // RecipeEditorView
    void showDraft(const Recipe &draft) override;
    void showSaved(const QStringList &names, int selected) override;
    void showSummary(const QString &total, const QString &shortOf) override;
    void showMessage(const QString &text) override;
    void showError(const QString &text) override;
    void closeEditor() override;

    RecipeEditing editing_;
    bool closing_ = false;
    bool filling_ = false;
};
