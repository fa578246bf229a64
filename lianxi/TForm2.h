#pragma once

#include "lianxi/DrillSession.h"
#include "lianxi/DrillView.h"
#include "widgets/AnswerKeypad.h"
#include "widgets/ProblemDisplay.h"

#include <QDialog>
#include <memory>

class AnswerFeedback;
class BevelPanel;
class CelebrationPanel;
class ChildBadge;
class ClickLabel;
class FlatButton;
class PictureBox;
class QLabel;
class QTimer;
class RadioGroup;
class RecordListBox;
class Runner;
class Shape;
class StarBurst;

// The drill window, for practice and for the competition: the main menu sets
// its title ("口算练习篇" or "口算竞技篇") and the caption of the restart
// button before showing it, and the window tells its mode from that title.
// The problem row (Label2 … Edit1) and the keypad's keys (SpeedButton5 …
// SpeedButton15, SpeedButton18) are the members of its two shared widgets.
class TForm2 : public QDialog, public ProblemRowControls, public AnswerKeypadKeys, private DrillView {
    Q_OBJECT

public:
    // The records go to the record folders among the user's files.
    explicit TForm2(QWidget *parent = nullptr);
    // userRoot ends in a separator.
    explicit TForm2(const QString &userRoot, QWidget *parent = nullptr);
    ~TForm2() override;

    const DrillSession &Session() const { return session_; }
    // Told of every wrong answer as "确定" finds it.
    void SetMissListener(MissListener listener);
    void SetAnswerListener(AnswerListener *listener);
    // "课本同步" asks it for a preset; SetPreset shows the one the drill
    // starts with.
    void SetPresetChooser(PresetChooser chooser);
    void SetPreset(const PresetPick &pick);
    // The practising child, shown while a preset is chosen.
    void ShowChild(const QString &name, const QString &pictureResource);

    PictureBox *Image1;
    FlatButton *SpeedButton4;
    FlatButton *SpeedButton3;
    FlatButton *SpeedButton2;
    FlatButton *SpeedButton1;
    RadioGroup *RadioGroup2;
    RadioGroup *RadioGroup1;
    FlatButton *SpeedButton20;  // 课本同步
    QLabel *Label20;            // the preset's name
    ChildBadge *Panel4;         // whose turn it is, with a preset
    FlatButton *SpeedButton21;  // 余
    FlatButton *SpeedButton23;  // . of a decimal
    FlatButton *SpeedButton24;  // 分数: a stacked fraction in the answer box
    QLabel *Label26;            // by the answer box: how to write it, 要约分
    AnswerKeypad *Panel1;
    Shape *Shape1;
    ClickLabel *Label12;
    Shape *Shape2;
    ClickLabel *Label13;
    QLabel *Label1;
    Runner *Runner1;  // the dog, whose frames are Image3 to Image8
    PictureBox *Image3;
    PictureBox *Image4;
    PictureBox *Image5;
    PictureBox *Image6;
    PictureBox *Image7;
    PictureBox *Image8;

    // After each answer, ten right in a row, and beside the track.
    AnswerFeedback *Panel3;  // the ✓ or ✗, with the right equation Label14
    StarBurst *Image15;
    PictureBox *Image16;  // a star before the visit's count
    QLabel *Label15;      // the visit's stars
    QLabel *Label16;      // the competition's time left
    QLabel *Label17;      // right answers so far

    // The result panel.
    BevelPanel *Panel2;
    QLabel *Label4;
    QLabel *Label7;
    QLabel *Label5;
    QLabel *Label8;
    QLabel *Label6;
    QLabel *Label9;
    QLabel *Label10;
    QLabel *Label11;
    PictureBox *Image13;
    RecordListBox *ListBox1;
    PictureBox *Image14;
    RecordListBox *ListBox2;
    QLabel *Label21;  // 用时
    QLabel *Label22;
    QLabel *Label23;  // 速度
    QLabel *Label24;
    QLabel *Label25;  // the 达标 sentence
    FlatButton *SpeedButton17;
    FlatButton *SpeedButton19;
    FlatButton *SpeedButton16;
    CelebrationPanel *Panel5;  // a preset's 达标 reached

    QTimer *Timer1;
    QTimer *Timer2;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildDrillArea();
    void BuildKeypad();
    void BuildEncouragement();
    void BuildResultPanel();
    void ConnectHandlers();
    void ShowPresetResults(bool preset);

    void FormCreate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void SpeedButton13Click();
    void SpeedButton14Click();
    void SpeedButton15Click();
    void SpeedButton16Click();
    void SpeedButton17Click();
    void SpeedButton18Click();
    void SpeedButton20Click();
    void SpeedButton21Click();
    void SpeedButton23Click();
    void SpeedButton24Click();
    bool Edit1KeyPress(QChar typed);
    void Label12Click();
    void Label13Click();
    void Timer1Timer();
    void Timer2Timer();

    // DrillView
    QString drillTitle() const override;
    std::int32_t rangeBound() const override;
    OperationChoice operationChoice() const override;
    void selectFirstItems() override;
    void setOperands(const QString &first, const QString &second, const QString &spoken) override;
    void clearOperands() override;
    void showOperatorSign(Operator op) override;
    void showEqualsSign() override;
    void showProblem(const Problem &problem) override;
    void showPreset(const QString &title, AnswerKind kind) override;
    QString answerText() const override;
    void setAnswerText(const QString &text) override;
    QString typingText() const override;
    void setTypingText(const QString &text) override;
    void openFraction(const QString &whole) override;
    void showAnswerHint(const QString &text) override;
    void setAnswerReadOnly(bool readOnly) override;
    void setConfirmEnabled(bool enabled) override;
    void setBottomButtonsEnabled(bool enabled) override;
    void showRightFeedback() override;
    void showWrongFeedback(const QString &equation, const QString &spokenEquation) override;
    void clearFeedback() override;
    void celebrate() override;
    void setStarCount(int stars) override;
    void setCompetitionProgress(const QString &timeLeft, const QString &rightSoFar) override;
    void setTimeUpMessageVisible(bool visible) override;
    void setResultPanelVisible(bool visible) override;
    void setResultValues(const QString &total, const QString &right, const QString &wrong,
                         const QString &score) override;
    void setResultPace(const QString &time, const QString &speed, const QString &verdict) override;
    void celebrateStandard(const QString &text) override;
    void answerListGrew(AnswerList list) override;
    void answerListsEmptied() override;
    int runnerLeft() const override;
    void setRunnerLeft(int left) override;
    void animateRunner() override;
    void hideRunner() override;
    void startTimers() override;
    void stopTimers() override;
    void playCue(const QString &relativePath) override;
    void showMessage(const QString &text) override;
    void showError(const QString &text) override;
    void setStaysOnTop(bool onTop) override;
    void minimiseApplication() override;
    void closeWindow() override;

    DrillSession session_;
    std::unique_ptr<ProblemDisplay> display_;
};
