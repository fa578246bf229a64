#pragma once

#include "storage/ChildList.h"

#include <QDialog>
#include <QList>

class FlatButton;
class QLabel;
class QLineEdit;
class QWidget;

// "谁来练习？": a picture for each child with the name under it; a press
// chooses that child. "添加" opens a small panel for a new child's name and
// picture.
class TForm7 : public QDialog {
    Q_OBJECT

public:
    static constexpr int MostChildren = 12;

    explicit TForm7(ChildList &children, QWidget *parent = nullptr);

    QLabel *Label1;  // 谁来练习？
    QList<FlatButton *> ChildButtons;  // SpeedButton101 ...
    QList<QLabel *> NameLabels;  // Label101 ...
    FlatButton *SpeedButton1;  // 添加
    FlatButton *SpeedButton2;  // 离开
    QWidget *Panel1;  // the new child
    QLineEdit *Edit1;  // the name
    QList<FlatButton *> PictureButtons;  // SpeedButton201 ...
    FlatButton *SpeedButton3;  // 好了

    // Whether a child was chosen or added (the menu then shows that child).
    bool Changed() const { return changed_; }

    void ChildButtonClick(int index);
    void SpeedButton1Click();
    void PictureButtonClick(int index);
    void SpeedButton3Click();

private:
    void ShowChildren();

    ChildList &children_;
    QString picture_;
    bool changed_ = false;
};
