#pragma once

#include "kaochang/ExamControls.h"
#include "kaochang/ExamRoom.h"
#include "kaochang/ExamView.h"

#include <QDialog>
#include <array>

class ChildBadge;
class FlatButton;
class PaperPage;
class PictureBox;
class QCloseEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QTimer;
class RadioGroup;
class Runner;
class Shape;

// The exam room: a framed window holding the settings panel, the two pages
// of fifty slots, the runner and its countdown.
class TForm4 : public QDialog, private ExamView {
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr);
    ~TForm4() override;

    const ExamRoom &Room() const { return room_; }
    // Told at 判卷 of every answer graded wrong.
    void SetMissListener(MissListener listener);
    void SetAnswerListener(AnswerListener *listener);
    // "课本同步" on the settings panel asks it; SetPreset shows the pick the
    // room starts with.
    void SetPresetChooser(PresetChooser chooser);
    void SetPreset(const PresetPick &pick);
    // "组卷" on the settings panel asks it; SetRecipe shows the recipe the
    // room starts with.
    void SetRecipeChooser(ExamRoom::RecipeChooser chooser);
    void SetRecipe(const Recipe &recipe);
    // The practising child, shown while a preset is chosen.
    void ShowChild(const QString &name, const QString &pictureResource);

    QFrame *Panel1;  // the content panel
    FlatButton *SpeedButton1;
    FlatButton *SpeedButton2;
    FlatButton *SpeedButton4;
    FlatButton *SpeedButton5;
    FlatButton *SpeedButton6;
    FlatButton *SpeedButton7;
    FlatButton *SpeedButton10;
    Shape *Shape3;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label119;
    Runner *Runner1;  // the dog, whose frames are Image108 (the first) to Image103
    PictureBox *Image103;
    PictureBox *Image104;
    PictureBox *Image105;
    PictureBox *Image106;
    PictureBox *Image107;
    PictureBox *Image108;

    PaperPage *Panel2;  // page one
    QLabel *Label53;
    QLabel *Label54;
    QLabel *Label55;
    QLabel *Label56;
    QLabel *Label57;
    QLabel *Label58;
    QLabel *Label59;
    QLineEdit *Edit51;
    QLabel *Label117;
    QLabel *Label118;
    FlatButton *SpeedButton8;
    QLabel *Label120;
    PictureBox *Image101;
    PictureBox *Image102;

    PaperPage *Panel54;  // page two
    QLabel *Label60;
    QLabel *Label61;
    QLabel *Label62;
    QLabel *Label63;
    QLabel *Label64;
    QLabel *Label65;
    QLabel *Label66;
    QLineEdit *Edit102;
    QLabel *Label121;
    QLabel *Label122;
    FlatButton *SpeedButton9;

    QFrame *Panel3;  // the settings panel
    RadioGroup *RadioGroup1;
    RadioGroup *RadioGroup2;
    RadioGroup *RadioGroup3;
    RadioGroup *RadioGroup4;
    FlatButton *SpeedButton3;
    FlatButton *SpeedButton11;  // 课本同步
    FlatButton *SpeedButton12;  // 组卷
    QLabel *Label123;           // the preset's or recipe's name
    QLabel *Label224;           // the recipe's rows, in place of the range and operation lists
    ChildBadge *Panel55;        // whose turn it is, with a preset

    QTimer *Timer1;
    QTimer *Timer2;
    QTimer *Timer3;

    // The slot tables, in slot order: problem labels Label3..Label52 and
    // Label67..Label116, answer boxes Edit1..Edit50 and Edit52..Edit101,
    // marks Image1..Image100, right answers Label124..Label223.
    std::array<QLabel *, ExamRoom::SlotCount> ProblemLabels{};
    std::array<QLineEdit *, ExamRoom::SlotCount> AnswerBoxes{};
    std::array<PictureBox *, ExamRoom::SlotCount> Marks{};
    std::array<QLabel *, ExamRoom::SlotCount> Corrections{};

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildContent();
    void BuildPageOne();
    void BuildPageTwo();
    void BuildSettingsPanel();
    void ConnectHandlers();
    // 考试类型 on both pages: a unit's or recipe's name takes more room.
    void ShowLongPaperKind(bool longKind);

    void FormCreate();
    void FormCloseQuery(QCloseEvent *event);
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
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Edit51Change(const QString &text);
    void Edit102Change(const QString &text);

    QTimer *timer(ExamTick tick) const;
    FlatButton *button(ExamButton which) const;
    QLineEdit *nameBox(NameBox box) const;
    ExamControls::SlotControls Slot(std::size_t k) const;

    // ExamView
    int questionCountIndex() const override;
    int examTimeIndex() const override;
    QString rangeText() const override;
    int operationIndex() const override;
    QString questionCountText() const override;
    QString examTimeText() const override;
    QString operationText() const override;
    void setSettingsPanelVisible(bool visible) override;
    void setPageVisible(ExamPage page, bool visible) override;
    void setButtonEnabled(ExamButton which, bool enabled) override;
    void setNextPageButtonVisible(bool visible) override;
    void setNoticeVisible(bool visible) override;
    void setNoticeText(const QString &text) override;
    void setReviewHintVisible(bool visible) override;
    void setSummary(const QString &examTime, const QString &questionCount, const QString &operation) override;
    void setScoreText(const QString &text) override;
    void setCountdownText(const QString &text) override;
    QString nameText(NameBox box) const override;
    void setNameText(NameBox box, const QString &text) override;
    void clearSlot(int slot) override;
    void fillSlot(int slot, const QString &problemText) override;
    QString answerText(int slot) const override;
    void setAnswerText(int slot, const QString &text) override;
    void showPreset(const QString &title) override;
    void showRecipe(const QString &title, const QString &rows) override;
    void setAnswersReadOnly(bool readOnly) override;
    void markSlot(int slot, Mark mark, const QString &hint, bool answerBeside) override;
    void setRunnerLeft(int x) override;
    void animateRunner() override;
    void setRunnerStepInterval(int milliseconds) override;
    void startTick(ExamTick tick) override;
    void stopTick(ExamTick tick) override;
    void playCue(const QString &relativePath) override;
    void showMessage(const QString &text) override;
    void printPaper(const ExamPaper &paper, const std::optional<GradedPaper> &graded, bool presetPaper) override;

    ExamRoom room_;
};
