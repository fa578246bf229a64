#pragma once

#include "storage/ChildList.h"
#include "storage/InstallFolder.h"

#include <QDialog>
#include <QList>
#include <optional>

class FlatButton;
class QLabel;
class QLineEdit;
class QWidget;

// "谁来练习？": a picture for each child with the name and grade under it; a
// press chooses that child. "添加" opens a panel for a new child's name,
// grade and animal,
// a child's "改" the same panel for that child, with "移走" (asked once more
// before it is done). "找回" shows the removed children; a press brings one
// back. Removing a child keeps every file of theirs.
class TForm7 : public QDialog {
    Q_OBJECT

public:
    // family: the user's files, of any child.
    TForm7(ChildList &children, const InstallFolder &family, QWidget *parent = nullptr);

    QLabel *Label1;  // 谁来练习？
    QList<FlatButton *> ChildButtons;  // SpeedButton101 ...
    QList<QLabel *> NameLabels;  // Label101 ...
    QList<QLabel *> GradeLabels;  // Label601 ...: "一年级", or "几年级？" until said
    QList<FlatButton *> EditButtons;  // SpeedButton301 ...: 改
    FlatButton *SpeedButton1;  // 添加
    FlatButton *SpeedButton4;  // 找回
    FlatButton *SpeedButton2;  // 离开

    QWidget *Panel1;  // a new child, or the one being changed
    QLineEdit *Edit1;  // the name
    QList<FlatButton *> PictureButtons;  // SpeedButton201 ...
    QList<FlatButton *> GradeButtons;  // SpeedButton501 ...: 一年级 … 六年级
    FlatButton *SpeedButton3;  // 好了
    FlatButton *SpeedButton5;  // 移走
    FlatButton *SpeedButton6;  // 取消

    QWidget *Panel2;  // the removed children
    QList<FlatButton *> RemovedButtons;  // SpeedButton401 ...
    QList<QLabel *> RemovedLabels;  // Label401 ...
    FlatButton *SpeedButton7;  // 返回

    QWidget *Panel3;  // removing a child: sure?
    QLabel *Label4;  // whom, and what is kept
    FlatButton *SpeedButton8;  // 移走
    FlatButton *SpeedButton9;  // 不移走

    // Whether the list changed (the menu then shows the current child afresh).
    bool Changed() const { return changed_; }

    void ChildButtonClick(int index);
    void EditButtonClick(int index);
    void SpeedButton1Click();
    void SpeedButton4Click();
    void PictureButtonClick(int index);
    void GradeButtonClick(int index);
    void SpeedButton3Click();
    void SpeedButton5Click();
    void RemovedButtonClick(int index);
    void SpeedButton8Click();

private:
    void BuildEditPanel();
    void BuildRemovedPanel();
    void BuildConfirmPanel();
    void ShowChildren();
    void ShowRemoved();
    void OpenEditor(const Child &child);
    void ShowPanel(QWidget *panel);
    // Shows why a change was not made; true when it was.
    bool Made(const ChildListChange &change);

    ChildList &children_;
    InstallFolder family_;
    int editing_ = 0;  // the child in Panel1; 0 for a new one
    QString picture_;
    std::optional<int> grade_;
    bool changed_ = false;
};
