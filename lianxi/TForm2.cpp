#include "lianxi/TForm2.h"

#include "lianxi/DrillMode.h"
#include "arithmetic/AnswerText.h"
#include "arithmetic/ProblemTexts.h"
#include "arithmetic/EquationRow.h"
#include "lianxi/RecordListBox.h"
#include "sound/Cues.h"
#include "widgets/FormRefs.h"
#include "storage/InstallFolder.h"
#include "notices/Notices.h"
#include "widgets/PenCursor.h"
#include "widgets/AnswerBox.h"
#include "widgets/AnswerFeedback.h"
#include "widgets/AnswerKeypad.h"
#include "widgets/BevelPanel.h"
#include "widgets/CelebrationPanel.h"
#include "widgets/ChildBadge.h"
#include "widgets/ClickLabel.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PictureBox.h"
#include "widgets/ProblemDisplay.h"
#include "widgets/RadioGroup.h"
#include "widgets/Runner.h"
#include "widgets/Shape.h"
#include "widgets/StarBurst.h"
#include "widgets/WindowPlacement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <utility>

namespace {

constexpr QSize kClientSize{792, 573};
constexpr int kAnswerRowHeight = 20;

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList Items(auto const &texts)
{
    QStringList items;
    for (std::string_view text : texts)
        items << Utf8(text);
    return items;
}

QLabel *MakeLabel(QWidget *parent, const char *name, QPoint at, const QString &text, const QColor &color,
                  const QFont &font)
{
    auto *label = Controls::Place(new QLabel(text, parent), name, QRect(at, QSize()));
    label->setFont(font);
    Controls::SetColor(label, QPalette::WindowText, color);
    label->adjustSize();
    return label;
}

void Fill(QWidget *widget, const QColor &color)
{
    Controls::SetColor(widget, QPalette::Window, color);
    widget->setAutoFillBackground(true);
}

// The result panel's three buttons: a calligraphic caption beside a picture.
Controls::ButtonFace PanelButton(const QString &caption, const char *picture)
{
    return {.caption = caption,
            .font = Fonts::LiShu(21, true),
            .captionColor = Palette::Navy,
            .picture = QStringLiteral(":/drill/%1.svg").arg(QLatin1String(picture)),
            .pictureSize = {40, 40}};
}

RecordListBox *MakeAnswerList(QWidget *parent, const char *name, const QRect &rect, const QStringList &lines,
                              const QString &accessibleName)
{
    auto *list = Controls::Place(new RecordListBox(lines, kAnswerRowHeight, parent), name, rect);
    list->setAccessibleName(accessibleName);
    list->setFocusPolicy(Qt::NoFocus);
    list->setFont(Fonts::Ui(13, true));
    Controls::SetColor(list, QPalette::Text, Palette::Navy);
    return list;
}

}  // namespace

TForm2::TForm2(QWidget *parent) : TForm2(InstallFolder::Current().UserRoot(), parent) {}

TForm2::TForm2(const QString &userRoot, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), session_(*this, userRoot)
{
    Form2 = this;
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(DrillTitle(DrillMode::Practice));
    setFixedSize(kClientSize);

    BuildDrillArea();
    BuildKeypad();
    BuildEncouragement();
    BuildResultPanel();
    // Over everything, the result panel too.
    Panel5 = new CelebrationPanel(this, "Panel5", "Image19", "SpeedButton22");

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);

    ConnectHandlers();
    FormCreate();
    WindowPlacement::CentreOnScreen(this);
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::SetMissListener(MissListener listener)
{
    session_.SetMissListener(std::move(listener));
}

void TForm2::SetAnswerListener(AnswerListener *listener)
{
    session_.SetAnswerListener(listener);
}

void TForm2::SetPresetChooser(PresetChooser chooser)
{
    session_.SetPresetChooser(std::move(chooser));
}

void TForm2::ShowChild(const QString &name, const QString &pictureResource)
{
    Panel4->Show(name, pictureResource);
}

void TForm2::SetPreset(const PresetPick &pick)
{
    session_.SetPreset(pick);
}

// Pictures and labels come first and the boxes and panels after them; a
// picture brought forward is put just beneath a box (a runner frame beneath
// the first radio group, an operator sign beneath the answer box), so the
// result panel always covers it.
void TForm2::BuildDrillArea()
{
    Image1 = Controls::MakePicture(this, "Image1", rect(), QStringLiteral(":/drill/background.svg"),
                                   QStringLiteral("蓝天背景"));
    // Their labels are painted in the background.
    SpeedButton4 = Controls::MakeButton(this, "SpeedButton4", {64, 464, 161, 73}, {.accessibleName = QStringLiteral("开始")});
    SpeedButton3 = Controls::MakeButton(this, "SpeedButton3", {240, 464, 161, 73}, {.accessibleName = QStringLiteral("查看")});
    SpeedButton2 = Controls::MakeButton(this, "SpeedButton2", {416, 464, 161, 73}, {.accessibleName = QStringLiteral("保存")});
    SpeedButton1 = Controls::MakeButton(this, "SpeedButton1", {584, 464, 161, 73}, {.accessibleName = QStringLiteral("离开")});

    display_ = std::make_unique<ProblemDisplay>(this, QPoint(80, 220));
    static_cast<ProblemRowControls &>(*this) = display_->Row();
    display_->setKeyFilter([this](QChar typed) { return Edit1KeyPress(typed); });
    display_->setFractionSpeaker(&SpokenTypedFraction);

    Label12 = Controls::MakeRoundControl(this, "Label12", {712, 16, 29, 25}, "Shape1", {712, 16, 29, 25}, QStringLiteral("▲"),
                                QStringLiteral("我在最前面"), Shape1);
    Label13 = Controls::MakeRoundControl(this, "Label13", {744, 16, 29, 25}, "Shape2", {744, 16, 29, 25}, QStringLiteral("―"),
                                QStringLiteral("藏起来"), Shape2);

    QFont timeUpFont = Fonts::Ui(14, true);
    timeUpFont.setItalic(true);
    Label1 = MakeLabel(this, "Label1", {120, 34}, QStringLiteral("哈哈哈，时间到了！快看看你的成绩。"),
                       Palette::Yellow, timeUpFont);
    Label1->hide();

    Runner1 = new Runner(this, {{{&Image3, "Image3"}, {&Image4, "Image4"}, {&Image5, "Image5"}, {&Image6, "Image6"},
                                 {&Image7, "Image7"}, {&Image8, "Image8"}}});
    Controls::Place(Runner1, "Runner1", QRect(QPoint(DrillSession::RunnerStart, 40), Runner1->size()));

    RadioGroup2 = Controls::Place(new RadioGroup(QStringLiteral("算法选择"), Items(OperationItems), this), "RadioGroup2",
                        {8, 32, 73, 113});
    RadioGroup1 = Controls::Place(new RadioGroup(QStringLiteral("选择范围"), Items(RangeItems), this), "RadioGroup1",
                        {8, 152, 73, 241});
    for (RadioGroup *group : {RadioGroup2, RadioGroup1}) {
        Fill(group, Palette::SkyBlue);
        group->setFont(Fonts::Ui(12));
    }
    Runner1->setCeiling(RadioGroup2);

    SpeedButton20 = Controls::MakeButton(this, "SpeedButton20", {96, 96, 121, 41},
                                         {.caption = QStringLiteral("课本同步"),
                                          .font = Fonts::LiShu(24, true),
                                          .captionColor = Palette::Fuchsia,
                                          .picture = QStringLiteral(":/drill/book.svg"),
                                          .pictureSize = {28, 28}});
    Label20 = MakeLabel(this, "Label20", {232, 106}, QString(), Palette::Navy, Fonts::Ui(18, true));
    Label20->hide();
    Panel4 = Controls::Make<ChildBadge>(this, "Panel4", {96, 156, 300, 36});
    Panel4->hide();
    // Above the answer box: beneath it the answer's ✓ or ✗ and the right
    // equation take the row.
    SpeedButton21 = Controls::MakeButton(this, "SpeedButton21", {688, 160, 73, 49},
                                         {.caption = QStringLiteral("余"),
                                          .accessibleName = QStringLiteral("余数"),
                                          .font = Fonts::LiShu(35, true),
                                          .captionColor = Palette::Fuchsia});
    SpeedButton21->hide();
    // A preset asks for one kind of answer, so its key takes the 余 key's
    // place.
    SpeedButton23 = Controls::MakeButton(this, "SpeedButton23", {688, 160, 73, 49},
                                         {.caption = QStringLiteral("."),
                                          .accessibleName = QStringLiteral("小数点"),
                                          .font = Fonts::SongTi(56, true),
                                          .captionColor = Palette::Fuchsia});
    SpeedButton24 = Controls::MakeButton(this, "SpeedButton24", {688, 160, 73, 49},
                                         {.caption = QStringLiteral("分数"),
                                          .font = Fonts::LiShu(30, true),
                                          .captionColor = Palette::Fuchsia});
    // Ending by the answer box, right of the child's name.
    Label26 = MakeLabel(this, "Label26", {320, 166}, QString(), Palette::Red, Fonts::Ui(16, true));
    Label26->setGeometry(320, 166, 360, 30);
    Label26->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QWidget *control : std::initializer_list<QWidget *>{SpeedButton23, SpeedButton24, Label26})
        control->hide();
}

void TForm2::BuildKeypad()
{
    Panel1 = Controls::Place(new AnswerKeypad(this), "Panel1", {8, 392, 753, 65});
    static_cast<AnswerKeypadKeys &>(*this) = Panel1->Keys();
}

// Beneath the result panel, so an open panel covers them.
void TForm2::BuildEncouragement()
{
    Panel3 = new AnswerFeedback(this, {"Panel3", "Image17", "Image18", "Label14"}, {688, 298, 64, 64}, {96, 298, 560, 64});
    Image15 = Controls::Place(new StarBurst(this), "Image15", {80, 140, 690, 160});
    Image16 = Controls::MakePicture(this, "Image16", {96, 6, 24, 24}, QStringLiteral(":/marks/star.svg"),
                                    QStringLiteral("星星"));
    Image16->hide();
    const QFont progressFont = Fonts::Ui(16, true);
    Label15 = MakeLabel(this, "Label15", {124, 8}, QString(), Palette::Navy, progressFont);
    Label16 = MakeLabel(this, "Label16", {440, 8}, QString(), Palette::Navy, progressFont);
    Label17 = MakeLabel(this, "Label17", {560, 8}, QString(), Palette::Navy, progressFont);
    for (QLabel *label : {Label15, Label16, Label17})
        label->hide();
}

void TForm2::BuildResultPanel()
{
    Panel2 = Controls::Place(new BevelPanel(this), "Panel2", {104, 56, 617, 401});
    Panel2->setColor(Palette::Cream);
    Panel2->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered, 5);
    Panel2->setAccessibleName(QStringLiteral("成绩"));
    const QFont captionFont = Fonts::Ui(12);
    const QFont valueFont = Fonts::Ui(12, true);
    Label4 = MakeLabel(Panel2, "Label4", {40, 24}, QStringLiteral("共做题："), Palette::Navy, captionFont);
    Label7 = MakeLabel(Panel2, "Label7", {88, 24}, QString(), Palette::Red, valueFont);
    Label5 = MakeLabel(Panel2, "Label5", {184, 24}, QStringLiteral("正确："), Palette::Navy, captionFont);
    Label8 = MakeLabel(Panel2, "Label8", {224, 24}, QString(), Palette::Red, valueFont);
    Label6 = MakeLabel(Panel2, "Label6", {320, 24}, QStringLiteral("错误："), Palette::Navy, captionFont);
    Label9 = MakeLabel(Panel2, "Label9", {360, 24}, QString(), Palette::Red, valueFont);
    Label10 = MakeLabel(Panel2, "Label10", {456, 24}, QStringLiteral("得分："), Palette::Navy, captionFont);
    Label11 = MakeLabel(Panel2, "Label11", {496, 24}, QString(), Palette::Red, valueFont);

    Image13 = Controls::MakePicture(Panel2, "Image13", {16, 136, 81, 81}, QStringLiteral(":/marks/tick.svg"),
                                    QStringLiteral("对"));
    ListBox1 = MakeAnswerList(Panel2, "ListBox1", {104, 48, 169, 273}, session_.Tally().RightLines(),
                              QStringLiteral("做对的题"));
    Image14 = Controls::MakePicture(Panel2, "Image14", {296, 136, 81, 81}, QStringLiteral(":/marks/cross.svg"),
                                    QStringLiteral("错"));
    ListBox2 = MakeAnswerList(Panel2, "ListBox2", {384, 48, 169, 273}, session_.Tally().WrongLines(),
                              QStringLiteral("做错的题"));
    // The drill's pace, under the lists, which make room for it with a
    // preset chosen.
    Label21 = MakeLabel(Panel2, "Label21", {40, 294}, QStringLiteral("用时："), Palette::Navy, captionFont);
    Label22 = MakeLabel(Panel2, "Label22", {88, 294}, QString(), Palette::Red, valueFont);
    Label23 = MakeLabel(Panel2, "Label23", {184, 294}, QStringLiteral("速度："), Palette::Navy, captionFont);
    Label24 = MakeLabel(Panel2, "Label24", {232, 294}, QString(), Palette::Red, valueFont);
    Label25 = MakeLabel(Panel2, "Label25", {40, 310}, QString(), Palette::Maroon, valueFont);
    for (QLabel *pace : {Label21, Label22, Label23, Label24, Label25})
        pace->hide();

    SpeedButton17 = Controls::MakeButton(Panel2, "SpeedButton17", {16, 328, 185, 65},
                                         PanelButton(RestartCaption(DrillMode::Practice), "restart"));
    SpeedButton19 = Controls::MakeButton(Panel2, "SpeedButton19", {216, 328, 185, 65},
                                         PanelButton(QStringLiteral("保存记录"), "save"));
    SpeedButton16 = Controls::MakeButton(Panel2, "SpeedButton16", {416, 328, 185, 65},
                                         PanelButton(QStringLiteral("我知道了"), "done"));
    Panel2->hide();
}

void TForm2::ConnectHandlers()
{
    connect(SpeedButton1, &FlatButton::clicked, this, &TForm2::SpeedButton1Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &TForm2::SpeedButton2Click);
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm2::SpeedButton3Click);
    connect(SpeedButton4, &FlatButton::clicked, this, &TForm2::SpeedButton4Click);
    connect(SpeedButton5, &FlatButton::clicked, this, &TForm2::SpeedButton5Click);
    connect(SpeedButton6, &FlatButton::clicked, this, &TForm2::SpeedButton6Click);
    connect(SpeedButton7, &FlatButton::clicked, this, &TForm2::SpeedButton7Click);
    connect(SpeedButton8, &FlatButton::clicked, this, &TForm2::SpeedButton8Click);
    connect(SpeedButton9, &FlatButton::clicked, this, &TForm2::SpeedButton9Click);
    connect(SpeedButton10, &FlatButton::clicked, this, &TForm2::SpeedButton10Click);
    connect(SpeedButton11, &FlatButton::clicked, this, &TForm2::SpeedButton11Click);
    connect(SpeedButton12, &FlatButton::clicked, this, &TForm2::SpeedButton12Click);
    connect(SpeedButton13, &FlatButton::clicked, this, &TForm2::SpeedButton13Click);
    connect(SpeedButton14, &FlatButton::clicked, this, &TForm2::SpeedButton14Click);
    connect(SpeedButton15, &FlatButton::clicked, this, &TForm2::SpeedButton15Click);
    connect(SpeedButton16, &FlatButton::clicked, this, &TForm2::SpeedButton16Click);
    connect(SpeedButton17, &FlatButton::clicked, this, &TForm2::SpeedButton17Click);
    connect(SpeedButton18, &FlatButton::clicked, this, &TForm2::SpeedButton18Click);
    connect(SpeedButton19, &FlatButton::clicked, this, &TForm2::SpeedButton2Click);
    connect(SpeedButton20, &FlatButton::clicked, this, &TForm2::SpeedButton20Click);
    connect(SpeedButton21, &FlatButton::clicked, this, &TForm2::SpeedButton21Click);
    connect(SpeedButton23, &FlatButton::clicked, this, &TForm2::SpeedButton23Click);
    connect(SpeedButton24, &FlatButton::clicked, this, &TForm2::SpeedButton24Click);
    connect(Label12, &ClickLabel::clicked, this, &TForm2::Label12Click);
    connect(Label13, &ClickLabel::clicked, this, &TForm2::Label13Click);
    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm2::Timer2Timer);
}

void TForm2::FormCreate()
{
    for (FlatButton *button :
         {SpeedButton4, SpeedButton3, SpeedButton2, SpeedButton1, SpeedButton20, SpeedButton21, SpeedButton23, SpeedButton24})
        GivePenCursor(button);
    for (FlatButton *key : Panel1->AnswerKeys())
        GivePenCursor(key);
    GivePenCursor(Edit1);
    session_.Create();
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    // Escape would close the dialog behind the drill's back: only "离开"
    // leaves.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm2::SpeedButton1Click()
{
    session_.Leave();
}

void TForm2::SpeedButton2Click()
{
    session_.SaveRecords();
}

void TForm2::SpeedButton3Click()
{
    session_.ShowResults();
}

void TForm2::SpeedButton4Click()
{
    session_.Start();
}

void TForm2::SpeedButton5Click()
{
    session_.ZeroKey();
}

void TForm2::SpeedButton6Click()
{
    session_.DigitKey(1);
}

void TForm2::SpeedButton7Click()
{
    session_.DigitKey(2);
}

void TForm2::SpeedButton8Click()
{
    session_.DigitKey(3);
}

void TForm2::SpeedButton9Click()
{
    session_.DigitKey(4);
}

void TForm2::SpeedButton10Click()
{
    session_.DigitKey(5);
}

void TForm2::SpeedButton11Click()
{
    session_.DigitKey(6);
}

void TForm2::SpeedButton12Click()
{
    session_.DigitKey(7);
}

void TForm2::SpeedButton13Click()
{
    session_.DigitKey(8);
}

void TForm2::SpeedButton14Click()
{
    session_.DigitKey(9);
}

void TForm2::SpeedButton15Click()
{
    session_.Check();
}

void TForm2::SpeedButton16Click()
{
    session_.CloseResults();
}

void TForm2::SpeedButton17Click()
{
    session_.Restart();
}

void TForm2::SpeedButton18Click()
{
    session_.Clear();
}

void TForm2::SpeedButton20Click()
{
    session_.ChoosePreset();
}

void TForm2::SpeedButton21Click()
{
    session_.RemainderKey();
}

void TForm2::SpeedButton23Click()
{
    session_.PointKey();
}

void TForm2::SpeedButton24Click()
{
    session_.FractionKey();
}

bool TForm2::Edit1KeyPress(QChar typed)
{
    return session_.KeyTyped(typed) == TypedKey::ToAnswerBox;
}

void TForm2::Label12Click()
{
    session_.StayOnTop();
}

void TForm2::Label13Click()
{
    session_.Minimise();
}

void TForm2::Timer1Timer()
{
    session_.AnimationTick();
}

void TForm2::Timer2Timer()
{
    session_.CompetitionTick();
}

QString TForm2::drillTitle() const
{
    return windowTitle();
}

std::int32_t TForm2::rangeBound() const
{
    return RadioGroup1->selectedText().toInt();
}

OperationChoice TForm2::operationChoice() const
{
    return static_cast<OperationChoice>(RadioGroup2->itemIndex());
}

void TForm2::selectFirstItems()
{
    RadioGroup1->setItemIndex(0);
    RadioGroup2->setItemIndex(0);
}

void TForm2::setOperands(const QString &first, const QString &second, const QString &spoken)
{
    display_->setOperands(first, second, spoken);
}

void TForm2::clearOperands()
{
    display_->clearOperands();
}

void TForm2::showOperatorSign(Operator op)
{
    display_->showSign(static_cast<int>(op) - 1);
}

void TForm2::showEqualsSign()
{
    display_->showEqualsSign();
}

void TForm2::showProblem(const Problem &problem)
{
    const EquationRow row = EquationRowOf(problem);
    display_->showEquation(row.before, row.after, row.wideBlank, SpokenProblem(problem));
}

void TForm2::showPreset(const QString &title, AnswerKind kind)
{
    const bool preset = !title.isEmpty();
    RadioGroup1->setEnabled(!preset);
    RadioGroup2->setEnabled(!preset);
    Label20->setText(QStringLiteral("课本同步：") + title);
    Label20->adjustSize();
    Label20->setVisible(preset);
    Panel4->setVisible(preset && !Panel4->Name().isEmpty());
    SpeedButton21->setVisible(kind == AnswerKind::QuotientRemainder);
    SpeedButton23->setVisible(kind == AnswerKind::Decimal || kind == AnswerKind::Percent);
    SpeedButton24->setVisible(kind == AnswerKind::Fraction);
    ShowPresetResults(preset);
}

// With a preset the wrong answers show their right ones and the lists make
// room for the drill's pace beneath them.
void TForm2::ShowPresetResults(bool preset)
{
    constexpr int kListHeight = 273;
    constexpr int kPaceHeight = 32;
    for (RecordListBox *list : {ListBox1, ListBox2})
        list->resize(list->width(), preset ? kListHeight - kPaceHeight : kListHeight);
    ListBox2->setCorrections(preset ? &session_.Tally().RightAnswers() : nullptr, Palette::Green);
    for (QLabel *pace : {Label21, Label22, Label23, Label24, Label25})
        pace->setVisible(preset);
}

QString TForm2::answerText() const
{
    return display_->answerText();
}

void TForm2::setAnswerText(const QString &text)
{
    display_->setAnswerText(text);
}

QString TForm2::typingText() const
{
    return display_->typingText();
}

void TForm2::setTypingText(const QString &text)
{
    display_->setTypingText(text);
}

void TForm2::openFraction(const QString &whole)
{
    display_->openFraction(whole);
}

void TForm2::showAnswerHint(const QString &text)
{
    Label26->setText(text);
    Label26->setVisible(!text.isEmpty());
}

void TForm2::setAnswerReadOnly(bool readOnly)
{
    display_->setAnswerReadOnly(readOnly);
}

void TForm2::setConfirmEnabled(bool enabled)
{
    SpeedButton15->setEnabled(enabled);
}

void TForm2::setBottomButtonsEnabled(bool enabled)
{
    for (FlatButton *button : {SpeedButton4, SpeedButton3, SpeedButton2, SpeedButton1})
        button->setEnabled(enabled);
}

// The result panel leaves the mark's and the card's places beside it
// uncovered: while it is open neither shows.
void TForm2::showRightFeedback()
{
    if (Panel2->isHidden())
        Panel3->ShowRight();
}

void TForm2::showWrongFeedback(const QString &equation, const QString &spokenEquation)
{
    if (Panel2->isHidden())
        Panel3->ShowWrong(equation, spokenEquation);
}

void TForm2::clearFeedback()
{
    Panel3->Clear();
}

void TForm2::celebrate()
{
    Image15->Play();
}

void TForm2::celebrateStandard(const QString &text)
{
    Panel5->Celebrate(text);
}

void TForm2::setStarCount(int stars)
{
    Image16->setVisible(stars > 0);
    Label15->setText(QStringLiteral("× %1").arg(stars));
    Label15->setAccessibleName(QStringLiteral("星星 %1 颗").arg(stars));
    Label15->adjustSize();
    Label15->setVisible(stars > 0);
}

void TForm2::setCompetitionProgress(const QString &timeLeft, const QString &rightSoFar)
{
    for (const auto &[label, text] : {std::pair{Label16, timeLeft}, std::pair{Label17, rightSoFar}}) {
        label->setText(text);
        label->adjustSize();
        label->setVisible(!text.isEmpty());
    }
}

void TForm2::setTimeUpMessageVisible(bool visible)
{
    Label1->setVisible(visible);
}

void TForm2::setResultPanelVisible(bool visible)
{
    if (visible)
        Panel3->Clear();
    Panel2->setVisible(visible);
}

void TForm2::setResultValues(const QString &total, const QString &right, const QString &wrong,
                             const QString &score)
{
    const std::pair<QLabel *, const QString &> values[] = {
        {Label7, total}, {Label8, right}, {Label9, wrong}, {Label11, score}};
    for (const auto &[label, text] : values) {
        label->setText(text);
        label->adjustSize();
    }
}

void TForm2::setResultPace(const QString &time, const QString &speed, const QString &verdict)
{
    const std::pair<QLabel *, const QString &> values[] = {{Label22, time}, {Label24, speed}, {Label25, verdict}};
    for (const auto &[label, text] : values) {
        label->setText(text);
        label->adjustSize();
    }
}

void TForm2::answerListGrew(AnswerList list)
{
    (list == AnswerList::Right ? ListBox1 : ListBox2)->lineAppended();
}

void TForm2::answerListsEmptied()
{
    ListBox1->linesReset();
    ListBox2->linesReset();
}

int TForm2::runnerLeft() const
{
    return Runner1->x();
}

void TForm2::setRunnerLeft(int left)
{
    Runner1->move(left, Runner1->y());
}

void TForm2::animateRunner()
{
    Runner1->Animate();
}

void TForm2::hideRunner()
{
    Runner1->HideFrames();
}

void TForm2::startTimers()
{
    for (QTimer *timer : {Timer1, Timer2}) {
        if (!timer->isActive())
            timer->start();
    }
}

void TForm2::stopTimers()
{
    Timer1->stop();
    Timer2->stop();
}

void TForm2::playCue(const QString &relativePath)
{
    PlayCue(relativePath);
}

void TForm2::showMessage(const QString &text)
{
    Notices::ShowNotice(text);
}

void TForm2::showError(const QString &text)
{
    Notices::ShowErrorBox(text);
}

void TForm2::setStaysOnTop(bool onTop)
{
    WindowPlacement::SetStaysOnTop(this, onTop);
}

void TForm2::minimiseApplication()
{
    WindowPlacement::MinimiseApplication();
}

void TForm2::closeWindow()
{
    accept();
}
