#pragma once

#include "cuotiben/Notebook.h"
#include "cuotiben/ReviewSession.h"
#include "cuotiben/ReviewView.h"

#include <QDialog>
#include <memory>

class AnswerKeypad;
class ClickLabel;
class FlatButton;
class NotebookListModel;
class NotebookListView;
class OperandLabel;
class PictureBox;
class ProblemDisplay;
class QLabel;
class QLineEdit;
class QTimer;
class Shape;

// The 错题本 window: how many problems are due today, the notebook's two
// lists (to review, and conquered), and the review drill, worked with the
// drill window's keypad and answer box.
class TForm5 : public QDialog, private ReviewView {
    Q_OBJECT

public:
    // The notebook in the user's database folder, going by the system's date.
    explicit TForm5(QWidget *parent = nullptr);
    TForm5(const QString &notebookPath, Clock today, QWidget *parent = nullptr);
    ~TForm5() override;

    const ReviewSession &Session() const { return session_; }

    PictureBox *Image1;
    QLabel *Label1;  // how many are due today
    Shape *Shape1;
    ClickLabel *Label12;
    Shape *Shape2;
    ClickLabel *Label13;

    // The problem row, as in the drill window.
    OperandLabel *Label2;
    PictureBox *Image9;
    PictureBox *Image10;
    PictureBox *Image11;
    PictureBox *Image12;
    OperandLabel *Label3;
    PictureBox *Image2;
    QLineEdit *Edit1;

    QLabel *Label5;
    NotebookListView *ListView1;  // still to review
    QLabel *Label4;               // the conquered count
    NotebookListView *ListView2;  // conquered ("已消灭")

    AnswerKeypad *Panel1;
    FlatButton *SpeedButton5;
    FlatButton *SpeedButton6;
    FlatButton *SpeedButton7;
    FlatButton *SpeedButton8;
    FlatButton *SpeedButton9;
    FlatButton *SpeedButton10;
    FlatButton *SpeedButton11;
    FlatButton *SpeedButton12;
    FlatButton *SpeedButton13;
    FlatButton *SpeedButton14;
    FlatButton *SpeedButton15;
    FlatButton *SpeedButton18;

    FlatButton *SpeedButton2;  // 开始复习
    FlatButton *SpeedButton3;  // 打印错题
    FlatButton *SpeedButton1;  // 离开

    QTimer *Timer1;  // saves once the next problem is on screen

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildHeading();
    void BuildLists();
    void BuildKeypad();
    void ConnectHandlers();

    void FormCreate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void DigitKeyClick(int digit);
    void SpeedButton15Click();
    void SpeedButton18Click();
    bool Edit1KeyPress(QChar typed);
    void Label12Click();
    void Label13Click();
    void Timer1Timer();

    // ReviewView
    void setDueText(const QString &text) override;
    void entriesChanged() override;
    void setOperands(const QString &first, const QString &second) override;
    void clearOperands() override;
    void showOperatorSign(Operator op) override;
    void showEqualsSign() override;
    void hideSigns() override;
    QString answerText() const override;
    void setAnswerText(const QString &text) override;
    void setAnswerReadOnly(bool readOnly) override;
    void setConfirmEnabled(bool enabled) override;
    void saveSoon() override;
    void playCue(const QString &relativePath) override;
    void showMessage(const QString &text) override;
    void showError(const QString &text) override;
    void printProblems(const QList<ArithProblem> &problems) override;
    void closeWindow() override;

    Notebook notebook_;
    ReviewSession session_;
    std::unique_ptr<ProblemDisplay> display_;
    std::unique_ptr<NotebookListModel> toReview_;
    std::unique_ptr<NotebookListModel> conquered_;
};
