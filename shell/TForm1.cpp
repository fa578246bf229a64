#include "shell/TForm1.h"

#include "sound/Cues.h"
#include "widgets/FormRefs.h"
#include "storage/InstallFolder.h"
#include "shell/ModuleWindows.h"
#include "shell/TForm7.h"
#include "notices/Notices.h"
#include "widgets/PenCursor.h"
#include "widgets/Controls.h"
#include "widgets/FirstPaint.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintSheet.h"
#include "widgets/Runner.h"
#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QLabel>
#include <QTimer>

namespace {

constexpr QSize kClientSize{792, 545};
constexpr QRect kHandleRect{288, 192, 177, 177};
constexpr QPoint kDogStart{32, 40};

}  // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      menu_(*this, kHandleRect.width(), kHandleRect.height()),
      children_(ChildList::PathIn(InstallFolder::Current().SharedDatabaseFolder()))
{
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("口算能力"));
    setWindowIcon(QIcon(QStringLiteral(":/dog/frame1.svg")));
    setFixedSize(kClientSize);

    Image1 = Controls::Make<PictureBox>(this, "Image1", rect());
    Image1->setPicture(QStringLiteral(":/menu/background.svg"));
    Image1->setAccessibleName(QStringLiteral("主菜单图画"));

    // The crowns, circles and the leave sign's caption are painted in the
    // background: the menu draws no text of its own, so no font is looked up
    // before its first paint. The leave button still has "离开" as its text,
    // in the art's blue bold italic.
    QFont leaveFont = Fonts::Ui(16, true);
    leaveFont.setItalic(true);
    SpeedButton1 = Controls::MakeButton(this, "SpeedButton1", {656, 424, 113, 89},
                                        {.caption = QStringLiteral("离开"), .font = leaveFont,
                                         .captionColor = Palette::Blue, .captionInArt = true});
    SpeedButton1->setToolTip(QStringLiteral("你要离开吗？"));
    SpeedButton2 = Controls::MakeButton(this, "SpeedButton2", {296, 32, 161, 153},
                                        {.accessibleName = QStringLiteral("练习篇")});
    SpeedButton3 = Controls::MakeButton(this, "SpeedButton3", {120, 184, 161, 153},
                                        {.accessibleName = QStringLiteral("竞技篇")});
    SpeedButton4 = Controls::MakeButton(this, "SpeedButton4", {472, 184, 161, 153},
                                        {.accessibleName = QStringLiteral("考试篇")});
    SpeedButton5 = Controls::MakeButton(this, "SpeedButton5", {296, 376, 161, 153},
                                        {.accessibleName = QStringLiteral("技巧篇")});
    SpeedButton6 = Controls::MakeButton(this, "SpeedButton6", {704, 8, 73, 65},
                                        {.accessibleName = QStringLiteral("我在最前面")});
    SpeedButton6->setToolTip(QStringLiteral("我在最前面！"));
    SpeedButton7 = Controls::MakeButton(this, "SpeedButton7", {704, 72, 73, 65},
                                        {.accessibleName = QStringLiteral("藏起来")});
    SpeedButton7->setToolTip(QStringLiteral("我要暂时藏起来！"));
    SpeedButton8 = Controls::MakeButton(this, "SpeedButton8", {704, 136, 73, 65},
                                        {.accessibleName = QStringLiteral("帮助")});
    SpeedButton8->setToolTip(QStringLiteral("需要我的帮助吗？"));
    for (FlatButton *circle : {SpeedButton6, SpeedButton7, SpeedButton8})
        circle->setCursor(Qt::PointingHandCursor);
    // The notebook is painted on the grass.
    SpeedButton9 = Controls::MakeButton(this, "SpeedButton9", {48, 426, 92, 92},
                                        {.accessibleName = QStringLiteral("错题本")});
    SpeedButton9->setToolTip(QStringLiteral("错题本"));
    SpeedButton10 = Controls::MakeButton(this, "SpeedButton10", {516, 424, 92, 92},
                                         {.accessibleName = QStringLiteral("成长记录")});
    SpeedButton10->setToolTip(QStringLiteral("成长记录"));
    // The child practising now, in the free space left of the crowns.
    SpeedButton11 = Controls::MakeButton(this, "SpeedButton11", {18, 288, 80, 80},
                                         {.accessibleName = QStringLiteral("换一个小朋友")});
    SpeedButton11->setToolTip(QStringLiteral("换一个小朋友"));
    // Numbrook's own daily session, in the free space right of the crowns.
    SpeedButton12 = Controls::MakeButton(this, "SpeedButton12", {664, 272, 100, 100},
                                         {.accessibleName = QStringLiteral("今日练习"),
                                          .picture = QStringLiteral(":/menu/today.svg"),
                                          .pictureSize = {96, 96}});
    SpeedButton12->setToolTip(QStringLiteral("今日练习"));
    Label2 = Controls::Place(new QLabel(this), "Label2", {0, 368, 116, 28});
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(Fonts::KaiTi(20, true));
    Controls::SetColor(Label2, QPalette::WindowText, Palette::Navy);
    // It lies on the grass: a press on it or beside its text is one on the
    // background, where the dog jumps.
    Label2->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A red badge on the notebook's corner, white digits in a white ring.
    Label1 = Controls::Make<QLabel>(this, "Label1", {118, 418, 30, 30});
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(Fonts::Ui(14, true));
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label1->setStyleSheet(QStringLiteral(
        "QLabel { color: white; background: #D01818; border: 2px solid white; border-radius: 15px; }"));
    Label1->hide();

    Image2 = Controls::Make<PictureBox>(this, "Image2", kHandleRect);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setToolTip(QStringLiteral("这里可以移动我。"));
    Image2->setAccessibleName(QStringLiteral("这里可以移动我"));

    Runner1 = new Runner(this, {{{&Image3, "Image3"}, {&Image4, "Image4"}, {&Image5, "Image5"}, {&Image6, "Image6"},
                                 {&Image7, "Image7"}, {&Image8, "Image8"}}});
    Controls::Place(Runner1, "Runner1", QRect(kDogStart, Runner1->size()));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(60);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setSingleShot(true);
    Timer2->setInterval(0);

    connect(SpeedButton1, &FlatButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &FlatButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton5, &FlatButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton6, &FlatButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(SpeedButton7, &FlatButton::clicked, this, &TForm1::SpeedButton7Click);
    connect(SpeedButton9, &FlatButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(SpeedButton10, &FlatButton::clicked, this, &TForm1::SpeedButton10Click);
    connect(SpeedButton11, &FlatButton::clicked, this, &TForm1::SpeedButton11Click);
    connect(SpeedButton12, &FlatButton::clicked, this, &TForm1::SpeedButton12Click);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(Image1, &PictureBox::mousePressed, this, &TForm1::Image1MouseDown);
    connect(Image2, &PictureBox::mousePressed, this, &TForm1::Image2MouseDown);
    connect(Image2, &PictureBox::mouseMoved, this, &TForm1::Image2MouseMove);
    connect(Image2, &PictureBox::mouseReleased, this, &TForm1::Image2MouseUp);

    FormCreate();
    // A list that cannot be read leaves the first child, whose files are
    // where they always were; the error shows when the list is changed.
    (void)children_.Load();
    ShowChildPicture();
    // The child's name is the menu's one text, and text means the first
    // font lookup: it comes a moment after the first paint.
    AfterFirstPaint(this, [this] { ShowChild(); });
    WindowPlacement::CentreOnScreen(this);
    Timer1->start();
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormCreate()
{
    for (FlatButton *button : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton9,
                                 SpeedButton10, SpeedButton11, SpeedButton12})
        GivePenCursor(button);
}

void TForm1::SpeedButton1Click()
{
    menu_.Leave();
}

void TForm1::SpeedButton2Click()
{
    menu_.OpenPractice();
}

void TForm1::SpeedButton3Click()
{
    menu_.OpenCompetition();
}

void TForm1::SpeedButton4Click()
{
    menu_.OpenExamRoom();
}

void TForm1::SpeedButton5Click()
{
    menu_.OpenTipsBook();
}

void TForm1::SpeedButton6Click()
{
    menu_.ToggleStayOnTop();
}

void TForm1::SpeedButton7Click()
{
    menu_.Minimise();
}

void TForm1::SpeedButton9Click()
{
    menu_.OpenNotebook();
}

void TForm1::SpeedButton11Click()
{
    menu_.ChooseChild();
}

void TForm1::SpeedButton10Click()
{
    menu_.OpenGrowth();
}

void TForm1::SpeedButton12Click()
{
    menu_.OpenDaily();
}

void TForm1::Timer1Timer()
{
    menu_.AnimationTick();
}

void TForm1::Timer2Timer()
{
    menu_.ShowNotebookDue();
    menu_.ShowDailyDone();
}

// Nothing is read before the menu is on screen: the badge's count comes
// right after the first paint.
void TForm1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        Timer2->start();
    }
}

void TForm1::Image1MouseDown(Qt::MouseButton, QPoint position)
{
    menu_.BackgroundPressed(position.x(), position.y());
}

void TForm1::Image2MouseDown(Qt::MouseButton button, QPoint)
{
    menu_.HandlePressed(button == Qt::LeftButton ? PointerButton::Left : PointerButton::Other);
}

void TForm1::Image2MouseMove(QPoint position)
{
    menu_.HandleMoved(position.x(), position.y());
}

void TForm1::Image2MouseUp(Qt::MouseButton, QPoint)
{
    menu_.HandleReleased();
}

int TForm1::windowTop() const
{
    return y();
}

int TForm1::windowLeft() const
{
    return x();
}

void TForm1::setWindowTop(int top)
{
    move(x(), top);
}

void TForm1::setWindowLeft(int left)
{
    move(left, y());
}

void TForm1::setStaysOnTop(bool onTop)
{
    WindowPlacement::SetStaysOnTop(this, onTop);
}

void TForm1::minimiseApplication()
{
    WindowPlacement::MinimiseApplication();
}

void TForm1::animateRunner()
{
    Runner1->Animate();
}

void TForm1::moveRunner(int x, int y)
{
    Runner1->move(x, y);
}

void TForm1::playCue(const QString &relativePath)
{
    PlayCue(relativePath);
}

void TForm1::showNotice(const QString &text)
{
    Notices::ShowNotice(text);
}

void TForm1::openDrill(DrillMode mode)
{
    ModuleWindows::OpenDrill(mode, ChildFolder());
}

void TForm1::openExamRoom()
{
    ModuleWindows::OpenExamRoom(ChildFolder());
}

void TForm1::openTipsBook()
{
    ModuleWindows::OpenTipsBook(ChildFolder());
}

void TForm1::openNotebook()
{
    ModuleWindows::OpenNotebook(ChildFolder());
}

void TForm1::openGrowth()
{
    ModuleWindows::OpenGrowth(ChildFolder());
}

void TForm1::openDaily()
{
    ModuleWindows::OpenDaily(ChildFolder());
}

InstallFolder TForm1::ChildFolder() const
{
    return InstallFolder::Current().ForChild(children_.Current().id);
}

void TForm1::ShowChildPicture()
{
    SpeedButton11->setPicture(ChildPictureResource(children_.Current().picture), {72, 72});
}

void TForm1::ShowChild()
{
    ShowChildPicture();
    Label2->setText(children_.Current().name);
    SetPrintingChild(children_.Current().name);
}

void TForm1::AskWhoPractises()
{
    if (children_.Present().size() > 1)
        menu_.ChooseChild();
}

void TForm1::chooseChild()
{
    TForm7 who(children_, InstallFolder::Current());
    who.exec();
    if (!who.Changed())
        return;
    ShowChild();
    if (const std::optional<QString> error = ChildFolder().PrepareChildFolder())
        Notices::ShowErrorBox(*error);
}

void TForm1::quitApplication()
{
    QApplication::quit();
}

int TForm1::notebookDueCount() const
{
    return ModuleWindows::DueNotebookCount(ChildFolder());
}

void TForm1::setNotebookBadge(int dueCount)
{
    Label1->setText(dueCount > 99 ? QStringLiteral("99+") : QString::number(dueCount));
    Label1->setAccessibleName(QStringLiteral("今天要复习的错题 %1 道").arg(dueCount));
    Label1->setVisible(dueCount > 0);
}

QDate TForm1::today() const
{
    return QDate::currentDate();
}

bool TForm1::dailyDoneToday() const
{
    return ModuleWindows::DailyDone(ChildFolder(), today());
}

void TForm1::setDailyDone(bool done)
{
    SpeedButton12->setPicture(done ? QStringLiteral(":/menu/today-done.svg") : QStringLiteral(":/menu/today.svg"),
                              {96, 96});
    SpeedButton12->setAccessibleDescription(done ? QStringLiteral("今天的练习已完成") : QString());
}
