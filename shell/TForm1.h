#pragma once

#include "shell/MainMenu.h"
#include "shell/MainMenuView.h"
#include "storage/ChildList.h"
#include "storage/InstallFolder.h"

#include <QWidget>

class FlatButton;
class PictureBox;
class QLabel;
class QTimer;
class Runner;

// The main menu: one picture with flat buttons over its painted crowns.
class TForm1 : public QWidget, private MainMenuView {
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    const MainMenu &Menu() const { return menu_; }
    const Child &CurrentChild() const { return children_.Current(); }
    // The files of the child practising now.
    InstallFolder ChildFolder() const;
    // With several children, "谁来练习？" comes first.
    void AskWhoPractises();

    PictureBox *Image1;
    FlatButton *SpeedButton1;
    FlatButton *SpeedButton2;
    FlatButton *SpeedButton3;
    FlatButton *SpeedButton4;
    FlatButton *SpeedButton5;
    FlatButton *SpeedButton6;
    FlatButton *SpeedButton7;
    FlatButton *SpeedButton8;
    FlatButton *SpeedButton9;  // the 错题本 on the grass
    FlatButton *SpeedButton10;  // the 成长记录 board on the grass
    FlatButton *SpeedButton11;  // the current child's picture: 换一个小朋友
    FlatButton *SpeedButton12;  // 今日练习, with a ✓ once today's is done
    QLabel *Label2;  // the current child's name
    PictureBox *Image2;
    Runner *Runner1;  // the dog, whose frames are Image3 to Image8
    PictureBox *Image3;
    PictureBox *Image4;
    PictureBox *Image5;
    PictureBox *Image6;
    PictureBox *Image7;
    PictureBox *Image8;
    QLabel *Label1;  // the notebook's badge: problems due today
    QTimer *Timer1;
    QTimer *Timer2;  // reads the badge's count once the menu is on screen

    // Handlers, public so that tests can deliver a tick without waiting.
    void FormCreate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void Timer1Timer();
    void Timer2Timer();
    void Image1MouseDown(Qt::MouseButton button, QPoint position);
    void Image2MouseDown(Qt::MouseButton button, QPoint position);
    void Image2MouseMove(QPoint position);
    void Image2MouseUp(Qt::MouseButton button, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // MainMenuView
    int windowTop() const override;
    int windowLeft() const override;
    void setWindowTop(int top) override;
    void setWindowLeft(int left) override;
    void setStaysOnTop(bool onTop) override;
    void minimiseApplication() override;
    void animateRunner() override;
    void moveRunner(int x, int y) override;
    void playCue(const QString &relativePath) override;
    void showNotice(const QString &text) override;
    void openDrill(DrillMode mode) override;
    void openExamRoom() override;
    void openTipsBook() override;
    void openNotebook() override;
    void openGrowth() override;
    void openDaily() override;
    void chooseChild() override;
    void ShowChildPicture();
    void ShowChild();
    void quitApplication() override;
    int notebookDueCount() const override;
    void setNotebookBadge(int dueCount) override;
    QDate today() const override;
    bool dailyDoneToday() const override;
    void setDailyDone(bool done) override;

    MainMenu menu_;
    ChildList children_;
    bool painted_ = false;
};
