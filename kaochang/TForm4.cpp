#include "kaochang/TForm4.h"

#include "kaochang/ExamControls.h"
#include "kaochang/PaperPage.h"
#include "arithmetic/AnswerValue.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"
#include "sound/Cues.h"
#include "notices/ErrorText.h"
#include "widgets/FormRefs.h"
#include "notices/Notices.h"
#include "widgets/ChildBadge.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/OutlinedLabel.h"
#include "widgets/Palette.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintSheet.h"
#include "widgets/RadioGroup.h"
#include "widgets/Runner.h"
#include "widgets/Shape.h"
#include "widgets/WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

using ExamControls::MakeLabel;
using ExamControls::MakePanel;

namespace {

// A right answer that is a fraction, as a screen reader says it ("四分之一");
// empty for any other, which is said as written.
QString SpokenFraction(const QString &answer)
{
    if (!answer.contains(u'/'))
        return {};
    const std::optional<AnswerValue> value = ReadAnswerOfKind(answer, AnswerKind::Fraction);
    return value ? SpokenAnswer(*value) : QString();
}

// With a four-pixel border and a 23-pixel caption bar the frame comes to
// 800 × 600 outside.
constexpr QSize kClientSize{792, 573};
constexpr QRect kPageRect{8, 32, 705, 529};
constexpr QSize kButtonPicture{20, 20};
constexpr QSize kPageButtonPicture{40, 40};

const Qt::WindowFlags kFrameFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
    | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The buttons: a bold caption beside its picture.
Controls::ButtonFace ExamButtonFace(const QString &caption, const char *picture, QSize pictureSize,
                                    const QColor &captionColor, int fontPixels)
{
    return {.caption = caption,
            .font = Fonts::Ui(fontPixels, true),
            .captionColor = captionColor,
            .picture = QStringLiteral(":/exam/%1.svg").arg(QLatin1String(picture)),
            .pictureSize = pictureSize};
}

// The small yellow ones beside the pages and on the settings panel.
Controls::ButtonFace SmallButtonFace(const QString &caption, const char *picture)
{
    return ExamButtonFace(caption, picture, kButtonPicture, Palette::Yellow, 12);
}

// The runner's frame step lives as long as the program: a new exam room, or
// a new exam, carries on where the last one left the animation.
FrameCycle &ExamRunnerCycle()
{
    static FrameCycle cycle;
    return cycle;
}

QStringList NumberedItems(int count, const QString &unit)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QStringLiteral("%1 %2").arg(i * 10).arg(unit);
    return items;
}

QStringList Items(const auto &texts)
{
    QStringList items;
    for (const auto &text : texts)
        items << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return items;
}

RadioGroup *MakeRadioGroup(QWidget *parent, const QString &name, const QRect &rect, const QString &caption,
                           const QStringList &items, int fontPixels)
{
    auto *group = new RadioGroup(caption, items, parent);
    group->setObjectName(name);
    group->setGeometry(rect);
    group->setFont(Fonts::Ui(fontPixels, true));
    Controls::SetColor(group, QPalette::WindowText, Palette::Yellow);
    group->setItemIndex(0);
    return group;
}

QLabel *MakeFurnitureLabel(QWidget *page, const QString &name, QPoint at, int width, const QString &text = {})
{
    return MakeLabel(page, name, QRect(at, QSize(width, 13)), text, Palette::Navy, Fonts::Ui(11, true));
}

QLabel *MakeValueLabel(QWidget *page, const QString &name, QPoint at, int width)
{
    QFont font = Fonts::Ui(11, true);
    font.setUnderline(true);
    return MakeLabel(page, name, QRect(at, QSize(width, 13)), QString(), Palette::Navy, font);
}

QLabel *MakeScoreLabel(QWidget *page, const QString &name, QPoint at)
{
    return MakeLabel(page, name, QRect(at, QSize(161, 33)), QString(), Palette::Red, Fonts::Ui(29, true));
}

}  // namespace

TForm4::TForm4(QWidget *parent) : QDialog(parent, kFrameFlags), room_(*this)
{
    Form4 = this;
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("考场"));
    setAutoFillBackground(true);
    Controls::SetColor(this, QPalette::Window, Palette::Desktop);
    resize(kClientSize);

    // The content panel follows the window; everything on it keeps its
    // place whatever the window's size.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel1 = MakePanel(this, QStringLiteral("Panel1"), rect(), Palette::Desktop, QFrame::Raised, 2);
    layout->addWidget(Panel1);

    BuildContent();
    FormCreate();
    ConnectHandlers();
    WindowPlacement::CentreOnScreen(this);
}

TForm4::~TForm4()
{
    if (Form4 == this)
        Form4 = nullptr;
}

void TForm4::SetMissListener(MissListener listener)
{
    room_.SetMissListener(std::move(listener));
}

void TForm4::SetAnswerListener(AnswerListener *listener)
{
    room_.SetAnswerListener(listener);
}

void TForm4::SetPresetChooser(PresetChooser chooser)
{
    room_.SetPresetChooser(std::move(chooser));
}

void TForm4::ShowChild(const QString &name, const QString &pictureResource)
{
    Panel55->Show(name, pictureResource);
}

void TForm4::SetPreset(const PresetPick &pick)
{
    room_.SetPreset(pick);
}

void TForm4::SetRecipeChooser(ExamRoom::RecipeChooser chooser)
{
    room_.SetRecipeChooser(std::move(chooser));
}

void TForm4::SetRecipe(const Recipe &recipe)
{
    room_.SetRecipe(recipe);
}

void TForm4::BuildContent()
{
    // Lowest first: labels, track and runner, page two, page one, settings.
    Label1 = MakeLabel(Panel1, QStringLiteral("Label1"), {632, 9, 60, 13}, QStringLiteral("剩余时间："),
                       Palette::Yellow, Fonts::Ui(11));
    QFont countdownFont = Fonts::Ui(11, true);
    countdownFont.setUnderline(true);
    Label2 = MakeLabel(Panel1, QStringLiteral("Label2"), {696, 9, 84, 13}, QString(), Palette::Lime, countdownFont,
                       Qt::AlignCenter);
    // Named also while empty, before an exam and after it, like every
    // control on show; the time itself is its description.
    Label2->setAccessibleName(QStringLiteral("剩余时间"));
    // Red on the blue desk, outlined to stand out.
    Label119 = ExamControls::StyleLabel(new OutlinedLabel(Panel1), QStringLiteral("Label119"), {72, 248, 609, 29},
                                        QStringLiteral("正在出题，请稍等······"), Palette::Red,
                                        Fonts::KaiTi(29, true), Qt::AlignCenter);
    Label119->hide();
    Panel55 = Controls::Make<ChildBadge>(Panel1, "Panel55", {715, 40, 80, 96});
    Panel55->setFont(Fonts::Ui(13, true));
    Controls::SetColor(Panel55, QPalette::WindowText, Palette::Yellow);
    Panel55->hide();

    Shape3 = new Shape(Panel1);
    Shape3->setObjectName(QStringLiteral("Shape3"));
    Shape3->setGeometry(24, 8, 600, 20);
    Shape3->setPen(QPen(Palette::Yellow, 1));
    Shape3->setBrush(QBrush(Palette::Lime, Qt::DiagCrossPattern));
    Shape3->setAccessibleName(QStringLiteral("跑道"));

    // Frame n of the run is Image(109 - n): Image108 leads.
    Runner1 = new Runner(Panel1,
                         {{{&Image108, "Image108"}, {&Image107, "Image107"}, {&Image106, "Image106"},
                           {&Image105, "Image105"}, {&Image104, "Image104"}, {&Image103, "Image103"}}},
                         &ExamRunnerCycle());
    Controls::Place(Runner1, "Runner1", QRect(QPoint(ExamRoom::RunnerStart, 0), Runner1->size()));
    Runner1->setAttribute(Qt::WA_TransparentForMouseEvents);

    Panel54 = new PaperPage(Panel1);
    ExamControls::StylePanel(Panel54, QStringLiteral("Panel54"), kPageRect, Palette::Cream, QFrame::Sunken, 1);
    Panel54->setAccessibleName(QStringLiteral("第二页"));
    Panel54->hide();
    Panel2 = new PaperPage(Panel1);
    ExamControls::StylePanel(Panel2, QStringLiteral("Panel2"), kPageRect, Palette::Cream, QFrame::Sunken, 1);
    Panel2->setAccessibleName(QStringLiteral("第一页"));
    Panel2->hide();
    BuildPageTwo();
    BuildPageOne();
    BuildSettingsPanel();

    // A little wider than its neighbours, for its four characters.
    SpeedButton10 = Controls::MakeButton(Panel1, "SpeedButton10", {715, 144, 73, 33},
                                         SmallButtonFace(QStringLiteral("打印试卷"), "print"));
    SpeedButton6 = Controls::MakeButton(Panel1, "SpeedButton6", {715, 208, 68, 33},
                                        SmallButtonFace(QStringLiteral("判卷"), "grade"));
    SpeedButton7 = Controls::MakeButton(Panel1, "SpeedButton7", {715, 272, 68, 33},
                                        SmallButtonFace(QStringLiteral("交卷"), "hand-in"));
    SpeedButton5 = Controls::MakeButton(Panel1, "SpeedButton5", {715, 336, 68, 33},
                                        SmallButtonFace(QStringLiteral("考试"), "start"));
    SpeedButton2 = Controls::MakeButton(Panel1, "SpeedButton2", {715, 400, 69, 33},
                                        SmallButtonFace(QStringLiteral("出题"), "generate"));
    SpeedButton4 = Controls::MakeButton(Panel1, "SpeedButton4", {715, 460, 69, 33},
                                        SmallButtonFace(QStringLiteral("设置"), "settings"));
    SpeedButton1 = Controls::MakeButton(Panel1, "SpeedButton1", {715, 524, 69, 33},
                                        SmallButtonFace(QStringLiteral("退出"), "leave"));
    for (FlatButton *off : {SpeedButton10, SpeedButton6, SpeedButton7, SpeedButton5})
        off->setEnabled(false);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(room_.RunnerStepInterval());
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(50);
}

void TForm4::BuildPageOne()
{
    QWidget *page = Panel2;
    Label53 = MakeFurnitureLabel(page, QStringLiteral("Label53"), {24, 440}, 72, QStringLiteral("考试时间："));
    Label54 = MakeValueLabel(page, QStringLiteral("Label54"), {96, 440}, 76);
    Label55 = MakeFurnitureLabel(page, QStringLiteral("Label55"), {176, 440}, 72, QStringLiteral("考试题数："));
    Label56 = MakeValueLabel(page, QStringLiteral("Label56"), {248, 440}, 84);
    Label57 = MakeFurnitureLabel(page, QStringLiteral("Label57"), {336, 440}, 72, QStringLiteral("考试类型："));
    Label58 = MakeValueLabel(page, QStringLiteral("Label58"), {408, 440}, 97);
    Label59 = MakeFurnitureLabel(page, QStringLiteral("Label59"), {24, 480}, 72, QStringLiteral("考生姓名："));
    Edit51 = ExamControls::MakeNameBox(page, QStringLiteral("Edit51"), {96, 476, 153, 19});
    Label117 = MakeFurnitureLabel(page, QStringLiteral("Label117"), {336, 480}, 72, QStringLiteral("考试成绩："));
    Label118 = MakeScoreLabel(page, QStringLiteral("Label118"), {408, 464});
    SpeedButton8 = Controls::MakeButton(page, "SpeedButton8", {576, 432, 121, 89},
                                        ExamButtonFace(QStringLiteral("下一页"), "next-page", kPageButtonPicture,
                                                       Palette::Navy, 16));
    Label120 = MakeLabel(page, QStringLiteral("Label120"), {176, 504, 353, 13},
                         QStringLiteral("鼠标放在题目的对错号上稍等，即可显示正确答案！"), Palette::Red,
                         Fonts::Ui(11, true));
    Label120->hide();

    Image101 = new PictureBox(page);
    Image101->setObjectName(QStringLiteral("Image101"));
    Image101->setGeometry(520, 400, 33, 33);
    Image101->setPicture(QStringLiteral(":/marks/cross.svg"));
    Image101->setAccessibleName(QStringLiteral("错"));
    Image101->hide();
    Image102 = new PictureBox(page);
    Image102->setObjectName(QStringLiteral("Image102"));
    Image102->setGeometry(480, 400, 33, 33);
    Image102->setPicture(QStringLiteral(":/marks/tick.svg"));
    Image102->setAccessibleName(QStringLiteral("对"));
    Image102->hide();
}

void TForm4::BuildPageTwo()
{
    QWidget *page = Panel54;
    Label60 = MakeFurnitureLabel(page, QStringLiteral("Label60"), {24, 440}, 64, QStringLiteral("考试时间："));
    Label61 = MakeValueLabel(page, QStringLiteral("Label61"), {88, 440}, 84);
    Label62 = MakeFurnitureLabel(page, QStringLiteral("Label62"), {184, 440}, 64, QStringLiteral("考试题数："));
    Label63 = MakeValueLabel(page, QStringLiteral("Label63"), {248, 440}, 84);
    Label64 = MakeFurnitureLabel(page, QStringLiteral("Label64"), {336, 440}, 72, QStringLiteral("考试类型："));
    Label65 = MakeValueLabel(page, QStringLiteral("Label65"), {408, 440}, 97);
    Label66 = MakeFurnitureLabel(page, QStringLiteral("Label66"), {24, 480}, 72, QStringLiteral("考生姓名："));
    Edit102 = ExamControls::MakeNameBox(page, QStringLiteral("Edit102"), {96, 476, 161, 19});
    Label121 = MakeFurnitureLabel(page, QStringLiteral("Label121"), {336, 480}, 72, QStringLiteral("考试成绩："));
    Label122 = MakeScoreLabel(page, QStringLiteral("Label122"), {408, 464});
    SpeedButton9 = Controls::MakeButton(page, "SpeedButton9", {584, 432, 113, 89},
                                        ExamButtonFace(QStringLiteral("上一页"), "previous-page", kPageButtonPicture,
                                                       Palette::Navy, 16));
}

void TForm4::BuildSettingsPanel()
{
    // A row taller than the four groups, for the preset's name beneath them.
    Panel3 = MakePanel(Panel1, QStringLiteral("Panel3"), {144, 112, 449, 337}, Palette::Desktop, QFrame::Raised, 3);
    Panel3->setAccessibleName(QStringLiteral("考试条件"));
    RadioGroup3 = MakeRadioGroup(Panel3, QStringLiteral("RadioGroup3"), {12, 16, 85, 281}, QStringLiteral("考试题数"),
                                 NumberedItems(10, QStringLiteral("题")), 11);
    RadioGroup4 = MakeRadioGroup(Panel3, QStringLiteral("RadioGroup4"), {132, 16, 85, 281}, QStringLiteral("考试时间"),
                                 NumberedItems(6, QStringLiteral("分钟")), 11);
    RadioGroup1 = MakeRadioGroup(Panel3, QStringLiteral("RadioGroup1"), {248, 16, 81, 281}, QStringLiteral("选择范围"),
                                 Items(RangeItems), 13);
    RadioGroup2 = MakeRadioGroup(Panel3, QStringLiteral("RadioGroup2"), {356, 16, 73, 209}, QStringLiteral("算法选择"),
                                 Items(OperationItems), 11);
    // Its caption is that of 设置 beside the pages; a screen reader tells
    // the two apart by what this one does.
    Controls::ButtonFace applyFace = SmallButtonFace(QStringLiteral("设置"), "apply");
    applyFace.accessibleName = QStringLiteral("设置考试条件");
    SpeedButton3 = Controls::MakeButton(Panel3, "SpeedButton3", {352, 252, 77, 33}, applyFace);
    SpeedButton11 = Controls::MakeButton(Panel3, "SpeedButton11", {344, 300, 93, 29},
                                         SmallButtonFace(QStringLiteral("课本同步"), "settings"));
    SpeedButton12 = Controls::MakeButton(Panel3, "SpeedButton12", {256, 300, 81, 29},
                                         SmallButtonFace(QStringLiteral("组卷"), "settings"));
    // Two lines left of 组卷, as a unit's name is long.
    Label123 = MakeLabel(Panel3, QStringLiteral("Label123"), {12, 297, 238, 37}, QString(), Palette::Yellow,
                         Fonts::Ui(12, true));
    Label123->setWordWrap(true);
    Label123->hide();
    Label224 = MakeLabel(Panel3, QStringLiteral("Label224"), {248, 16, 189, 230}, QString(), Palette::Yellow,
                         Fonts::Ui(12));
    Label224->setAccessibleName(QStringLiteral("组卷内容"));
    Label224->setWordWrap(true);
    Label224->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label224->hide();
}

void TForm4::FormCreate()
{
    for (int k = 0; k < ExamRoom::SlotCount; ++k) {
        const ExamControls::SlotControls slot = ExamControls::MakeSlot(k < ExamRoom::SlotsPerPage ? Panel2 : Panel54, k);
        const auto index = static_cast<std::size_t>(k);
        ProblemLabels[index] = slot.problem;
        AnswerBoxes[index] = slot.answer;
        Marks[index] = slot.mark;
        Corrections[index] = slot.correction;
        // Enter goes on as Tab does. The slots come after the name boxes, so
        // the focus goes through a page's answers in slot order, then round
        // to that page's name box, passing hidden controls: the other page
        // and the slots the paper does not use.
        connect(slot.answer, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
        connect(slot.answer, &QLineEdit::editingFinished, this, [this, k] { room_.AnswerEdited(k); });
        connect(slot.answer, &QLineEdit::textEdited, this, [this, k] { room_.AnswerTyped(k); });
    }
}

void TForm4::ConnectHandlers()
{
    connect(SpeedButton1, &FlatButton::clicked, this, &TForm4::SpeedButton1Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &TForm4::SpeedButton2Click);
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm4::SpeedButton3Click);
    connect(SpeedButton4, &FlatButton::clicked, this, &TForm4::SpeedButton4Click);
    connect(SpeedButton5, &FlatButton::clicked, this, &TForm4::SpeedButton5Click);
    connect(SpeedButton6, &FlatButton::clicked, this, &TForm4::SpeedButton6Click);
    connect(SpeedButton7, &FlatButton::clicked, this, &TForm4::SpeedButton7Click);
    connect(SpeedButton8, &FlatButton::clicked, this, &TForm4::SpeedButton8Click);
    connect(SpeedButton9, &FlatButton::clicked, this, &TForm4::SpeedButton9Click);
    connect(SpeedButton10, &FlatButton::clicked, this, &TForm4::SpeedButton10Click);
    connect(SpeedButton11, &FlatButton::clicked, this, &TForm4::SpeedButton11Click);
    connect(SpeedButton12, &FlatButton::clicked, this, &TForm4::SpeedButton12Click);
    connect(Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm4::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &TForm4::Timer3Timer);
    connect(Edit51, &QLineEdit::textEdited, this, &TForm4::Edit51Change);
    connect(Edit102, &QLineEdit::textEdited, this, &TForm4::Edit102Change);
}

void TForm4::closeEvent(QCloseEvent *event)
{
    FormCloseQuery(event);
}

void TForm4::keyPressEvent(QKeyEvent *event)
{
    // One key would throw a handed-in or graded paper away: only 退出 and
    // the close box leave, through the leave check.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm4::FormCloseQuery(QCloseEvent *event)
{
    if (!room_.Leave()) {
        event->ignore();
        return;
    }
    QDialog::reject();
    event->accept();
}

void TForm4::SpeedButton1Click()
{
    close();
}

void TForm4::SpeedButton2Click()
{
    room_.Generate();
}

void TForm4::SpeedButton3Click()
{
    room_.Apply();
}

void TForm4::SpeedButton4Click()
{
    room_.Settings();
}

void TForm4::SpeedButton5Click()
{
    room_.Start();
}

void TForm4::SpeedButton6Click()
{
    room_.Grade();
}

void TForm4::SpeedButton7Click()
{
    room_.HandIn();
}

void TForm4::SpeedButton8Click()
{
    room_.NextPage();
}

void TForm4::SpeedButton9Click()
{
    room_.PreviousPage();
}

void TForm4::SpeedButton10Click()
{
    room_.Print();
}

void TForm4::SpeedButton11Click()
{
    room_.ChoosePreset();
}

void TForm4::SpeedButton12Click()
{
    room_.ChooseRecipe();
}

void TForm4::Timer1Timer()
{
    room_.RunnerStep();
}

void TForm4::Timer2Timer()
{
    room_.CountdownTick();
}

void TForm4::Timer3Timer()
{
    room_.AnimationTick();
}

void TForm4::Edit51Change(const QString &text)
{
    room_.NameEdited(NameBox::PageOne, text);
}

void TForm4::Edit102Change(const QString &text)
{
    room_.NameEdited(NameBox::PageTwo, text);
}

QTimer *TForm4::timer(ExamTick tick) const
{
    switch (tick) {
    case ExamTick::RunnerStep:
        return Timer1;
    case ExamTick::Countdown:
        return Timer2;
    case ExamTick::Animation:
        break;
    }
    return Timer3;
}

FlatButton *TForm4::button(ExamButton which) const
{
    switch (which) {
    case ExamButton::Print:
        return SpeedButton10;
    case ExamButton::Grade:
        return SpeedButton6;
    case ExamButton::HandIn:
        return SpeedButton7;
    case ExamButton::Start:
        return SpeedButton5;
    case ExamButton::Generate:
        return SpeedButton2;
    case ExamButton::Settings:
        break;
    }
    return SpeedButton4;
}

QLineEdit *TForm4::nameBox(NameBox box) const
{
    return box == NameBox::PageOne ? Edit51 : Edit102;
}

int TForm4::questionCountIndex() const
{
    return RadioGroup3->itemIndex();
}

int TForm4::examTimeIndex() const
{
    return RadioGroup4->itemIndex();
}

QString TForm4::rangeText() const
{
    return RadioGroup1->selectedText();
}

int TForm4::operationIndex() const
{
    return RadioGroup2->itemIndex();
}

QString TForm4::questionCountText() const
{
    return RadioGroup3->selectedText();
}

QString TForm4::examTimeText() const
{
    return RadioGroup4->selectedText();
}

QString TForm4::operationText() const
{
    return RadioGroup2->selectedText();
}

void TForm4::setSettingsPanelVisible(bool visible)
{
    Panel3->setVisible(visible);
}

void TForm4::setPageVisible(ExamPage page, bool visible)
{
    (page == ExamPage::One ? Panel2 : Panel54)->setVisible(visible);
}

void TForm4::setButtonEnabled(ExamButton which, bool enabled)
{
    button(which)->setEnabled(enabled);
}

void TForm4::setNextPageButtonVisible(bool visible)
{
    SpeedButton8->setVisible(visible);
}

void TForm4::setNoticeVisible(bool visible)
{
    Label119->setVisible(visible);
}

void TForm4::setNoticeText(const QString &text)
{
    Label119->setText(text);
}

void TForm4::setReviewHintVisible(bool visible)
{
    Label120->setVisible(visible);
}

void TForm4::setSummary(const QString &examTime, const QString &questionCount, const QString &operation)
{
    Label54->setText(examTime);
    Label61->setText(examTime);
    Label56->setText(questionCount);
    Label63->setText(questionCount);
    Label58->setText(operation);
    Label65->setText(operation);
}

void TForm4::setScoreText(const QString &text)
{
    Label118->setText(text);
    Label122->setText(text);
}

void TForm4::setCountdownText(const QString &text)
{
    Label2->setText(text);
    Label2->setAccessibleDescription(text);
}

QString TForm4::nameText(NameBox box) const
{
    return nameBox(box)->text();
}

void TForm4::setNameText(NameBox box, const QString &text)
{
    nameBox(box)->setText(text);
}

void TForm4::clearSlot(int slot)
{
    const auto k = static_cast<std::size_t>(slot);
    ProblemLabels[k]->clear();
    ProblemLabels[k]->hide();
    AnswerBoxes[k]->clear();
    // Hidden and out of the focus chain, also to a screen reader, which
    // tells whether a box could take the focus even while it is hidden.
    AnswerBoxes[k]->hide();
    AnswerBoxes[k]->setFocusPolicy(Qt::NoFocus);
    Marks[k]->hide();
    Marks[k]->setToolTip(QString());
    Marks[k]->setAccessibleName(QString());
    ExamControls::ShowCorrection(Slot(k), QString());
    ExamControls::SetAnswerLook(AnswerBoxes[k], false, Palette::Black);
}

void TForm4::fillSlot(int slot, const QString &problemText)
{
    const auto k = static_cast<std::size_t>(slot);
    ExamControls::SetProblemText(ProblemLabels[k], problemText);
    ProblemLabels[k]->show();
    // Named with its problem, which a screen reader then reads on the way in;
    // a stacked fraction as it is said ("四分之三除以3等于").
    const std::optional<Problem> fractions =
        problemText.contains(u'/') ? ProblemOfText(problemText) : std::optional<Problem>();
    AnswerBoxes[k]->setAccessibleName(
        QStringLiteral("第%1题 %2").arg(slot + 1).arg(fractions ? SpokenProblem(*fractions) : problemText));
    AnswerBoxes[k]->setFrame(true);
    AnswerBoxes[k]->setFocusPolicy(Qt::StrongFocus);
    AnswerBoxes[k]->show();
}

QString TForm4::answerText(int slot) const
{
    return AnswerBoxes[static_cast<std::size_t>(slot)]->text();
}

void TForm4::setAnswerText(int slot, const QString &text)
{
    AnswerBoxes[static_cast<std::size_t>(slot)]->setText(text);
}

void TForm4::showPreset(const QString &title)
{
    const bool preset = !title.isEmpty();
    RadioGroup1->setEnabled(!preset);
    RadioGroup2->setEnabled(!preset);
    Label123->setText(preset ? QStringLiteral("课本同步：") + title : QString());
    Label123->setVisible(preset);
    ShowLongPaperKind(preset);
    Panel55->setVisible(preset && !Panel55->Name().isEmpty());
}

void TForm4::showRecipe(const QString &title, const QString &rows)
{
    const bool recipe = !title.isEmpty();
    RadioGroup1->setVisible(!recipe);
    RadioGroup2->setVisible(!recipe);
    RadioGroup3->setEnabled(!recipe);
    Label224->setText(rows);
    Label224->setVisible(recipe);
    if (recipe) {
        Label123->setText(QStringLiteral("组卷：") + title);
        Label123->show();
        ShowLongPaperKind(true);
    }
    Panel55->setVisible(recipe && !Panel55->Name().isEmpty());
}

void TForm4::ShowLongPaperKind(bool longKind)
{
    // A unit's name is longer than 加减 or 乘除: with one chosen, the 考试类型
    // value takes the room up to the page button, its last line on the row
    // and a first one above it if it must, clear of the score below.
    for (QLabel *label : {Label58, Label65}) {
        label->setWordWrap(longKind);
        label->setAlignment(Qt::AlignLeft | (longKind ? Qt::AlignBottom : Qt::AlignVCenter));
        label->setGeometry(longKind ? QRect(408, 422, 164, 34) : QRect(408, 440, 97, 13));
    }
}

void TForm4::setAnswersReadOnly(bool readOnly)
{
    for (QLineEdit *box : AnswerBoxes)
        box->setReadOnly(readOnly);
}

ExamControls::SlotControls TForm4::Slot(std::size_t k) const
{
    return {ProblemLabels[k], AnswerBoxes[k], Marks[k], Corrections[k]};
}

void TForm4::markSlot(int slot, Mark mark, const QString &hint, bool answerBeside)
{
    const auto k = static_cast<std::size_t>(slot);
    const bool right = mark == Mark::Tick;
    const PictureBox *model = right ? Image102 : Image101;
    Marks[k]->setPicture(model->picture());
    Marks[k]->setAccessibleName(model->accessibleName());
    Marks[k]->show();
    Marks[k]->setToolTip(hint);
    ExamControls::SetAnswerLook(AnswerBoxes[k], true, right ? Palette::Blue : Palette::Red);
    ExamControls::ShowCorrection(Slot(k), right || !answerBeside ? QString() : hint, SpokenFraction(hint));
}

void TForm4::setRunnerLeft(int x)
{
    Runner1->move(x, Runner1->y());
}

void TForm4::animateRunner()
{
    Runner1->Animate();
}

void TForm4::setRunnerStepInterval(int milliseconds)
{
    Timer1->setInterval(milliseconds);
}

void TForm4::startTick(ExamTick tick)
{
    timer(tick)->start();
}

void TForm4::stopTick(ExamTick tick)
{
    timer(tick)->stop();
}

void TForm4::playCue(const QString &relativePath)
{
    PlayCue(relativePath);
}

void TForm4::showMessage(const QString &text)
{
    Notices::ShowNotice(text);
}

void TForm4::printPaper(const ExamPaper &paper, const std::optional<GradedPaper> &graded, bool presetPaper)
{
    QList<SheetProblem> sheet;
    sheet.reserve(paper.size());
    for (qsizetype k = 0; k < paper.size(); ++k) {
        sheet.append({paper.at(k).Text, AnswerText(paper.at(k).Form.Expected())});
        if (graded)
            sheet.last().grade = SheetGrade{graded->typed.at(k), graded->right.at(k)};
    }
    SheetOptions options{.answerPage = graded.has_value(), .graded = graded.has_value()};
    if (graded) {
        options.name = graded->name;
        options.score = graded->score;
    }
    if (const std::optional<PrintFailure> failure =
            PrintPracticeSheet(this, sheet, QStringLiteral("口算练习"), options, presetPaper))
        Notices::ShowErrorBox(ErrorText::CannotPrint(failure->target, failure->reason));
}
