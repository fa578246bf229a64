#pragma once

#include "cuotiben/Notebook.h"
#include "cuotiben/ReviewSession.h"
#include "cuotiben/ReviewView.h"
#include "widgets/AnswerKeypad.h"
#include "widgets/ProblemDisplay.h"

#include <QDialog>
#include <memory>

class AnswerFeedback;
class ChildBadge;
class CelebrationPanel;
class ClickLabel;
class FlatButton;
class NotebookListModel;
class NotebookListView;
class PictureBox;
class QLabel;
class QTimer;
class Shape;
class StarBurst;

// The 错题本 window: how many problems are due today, the notebook's two
// lists (to review, and conquered), and the review drill, worked with the
// drill window's keypad and answer box: the problem row (Label2 … Edit1) and
// the keypad's keys (SpeedButton5 … SpeedButton15, SpeedButton18) are the
// members of those shared widgets, under the drill window's names.
class TForm5 : public QDialog, public ProblemRowControls, public AnswerKeypadKeys, private ReviewView {
    Q_OBJECT

public:
    // The notebook in the user's database folder, going by the system's date.
    explicit TForm5(QWidget *parent = nullptr);
    TForm5(const QString &notebookPath, Clock today, QWidget *parent = nullptr);
    // A notebook the program keeps beyond this window, with changes other
    // windows could not save yet.
    TForm5(std::shared_ptr<Notebook> notebook, Clock today, QWidget *parent = nullptr);
    ~TForm5() override;

    const ReviewSession &Session() const { return session_; }
    void SetAnswerListener(AnswerListener *listener) { session_.SetAnswerListener(listener); }
    // Whose 错题本 this is.
    void ShowChild(const QString &name, const QString &pictureResource);

    PictureBox *Image1;
    QLabel *Label1;  // how many are due today
    ChildBadge *Panel4;  // whose notebook it is
    Shape *Shape1;
    ClickLabel *Label12;
    Shape *Shape2;
    ClickLabel *Label13;

    QLabel *Label5;
    NotebookListView *ListView1;  // still to review
    QLabel *Label4;               // the conquered count
    NotebookListView *ListView2;  // conquered ("已消灭")

    AnswerKeypad *Panel1;

    AnswerFeedback *Panel2;  // the ✓ or ✗, with the right equation Label6
    StarBurst *Image3;       // ten right in a row
    StarBurst *Image4;       // a problem conquered, over 已消灭
    PictureBox *Image5;      // a star before the review's count
    QLabel *Label7;          // the review's stars
    CelebrationPanel *Panel3;  // every due problem answered

    FlatButton *SpeedButton2;  // 开始复习
    FlatButton *SpeedButton3;  // 打印错题
    FlatButton *SpeedButton1;  // 离开
    FlatButton *SpeedButton19;  // 余, for 商 and 余数
    FlatButton *SpeedButton20;  // . of a decimal
    FlatButton *SpeedButton21;  // 分数: a stacked fraction in the answer box
    QLabel *Label8;             // how to write the answer

    QTimer *Timer1;  // saves once the next problem is on screen, or a moment later

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildHeading();
    void BuildLists();
    void BuildKeypad();
    void BuildEncouragement();
    void ConnectHandlers();

    void FormCreate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void DigitKeyClick(int digit);
    void SpeedButton15Click();
    void SpeedButton18Click();
    void SpeedButton19Click();
    void SpeedButton20Click();
    void SpeedButton21Click();
    bool Edit1KeyPress(QChar typed);
    void Label12Click();
    void Label13Click();
    void Timer1Timer();

    // ReviewView
    void setDueText(const QString &text) override;
    void entriesChanged() override;
    void setOperands(const QString &first, const QString &second, const QString &spoken) override;
    void clearOperands() override;
    void showOperatorSign(Operator op) override;
    void showEqualsSign() override;
    void hideSigns() override;
    QString answerText() const override;
    void setAnswerText(const QString &text) override;
    void setAnswerReadOnly(bool readOnly) override;
    void setConfirmEnabled(bool enabled) override;
    void showRightFeedback() override;
    void showWrongFeedback(const QString &equation, const QString &spokenEquation) override;
    void clearFeedback() override;
    void celebrate() override;
    void setStarCount(int stars) override;
    void celebrateConquest() override;
    void celebrateFinish(const QString &text) override;
    void saveSoon() override;
    void saveLater() override;
    void playCue(const QString &relativePath) override;
    void showMessage(const QString &text) override;
    void showError(const QString &text) override;
    void printProblems(const QList<Problem> &problems) override;
    void showProblem(const Problem &problem) override;
    void showAnswerKey(AnswerKind kind) override;
    QString typingText() const override;
    void setTypingText(const QString &text) override;
    void openFraction(const QString &whole) override;
    void showAnswerHint(const QString &text) override;
    void closeWindow() override;

    std::shared_ptr<Notebook> notebook_;
    Clock today_;
    ReviewSession session_;
    std::unique_ptr<ProblemDisplay> display_;
    std::unique_ptr<NotebookListModel> toReview_;
    std::unique_ptr<NotebookListModel> conquered_;
};
