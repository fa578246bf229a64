#include "jiqiao/TForm3.h"

#include "jiqiao/TipListView.h"
#include "widgets/FormRefs.h"
#include "storage/InstallFolder.h"
#include "notices/Notices.h"
#include "widgets/BevelPanel.h"
#include "widgets/ClickLabel.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/Shape.h"
#include "widgets/WindowPlacement.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextOption>
#include <QTimer>

namespace {

constexpr QSize kClientSize{792, 573};
constexpr QSize kPictureSize{24, 24};
// Captions are drawn a pixel larger than the classic 11 pixels, the
// smallest size at which Chinese characters stay crisp.
constexpr int kCaptionPixels = 12;
constexpr int kNumberColumnWidth = 50;

const QString kHint = QStringLiteral("选择技巧囊中技巧项目，单击《详解技巧》来显示技\n巧\n详细展示。");

QLabel *MakeCaption(QWidget *parent, const char *name, QPoint topLeft, const QString &text, const QColor &color)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(Fonts::Ui(kCaptionPixels));
    Controls::SetColor(label, QPalette::WindowText, color);
    label->move(topLeft);
    label->adjustSize();
    return label;
}

// Every button of the window: a bold caption beside its picture.
Controls::ButtonFace TipsButton(const QString &caption, const char *picture, const QColor &captionColor)
{
    return {.caption = caption,
            .font = Fonts::Ui(kCaptionPixels, true),
            .captionColor = captionColor,
            .picture = QStringLiteral(":/tips/%1.svg").arg(QLatin1String(picture)),
            .pictureSize = kPictureSize};
}

QPlainTextEdit *MakeMemo(QWidget *parent, const char *name, const QRect &rect, const QFont &font)
{
    auto *memo = Controls::Make<QPlainTextEdit>(parent, name, rect);
    memo->setFont(font);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->verticalScrollBar()->setAccessibleName(QStringLiteral("滚动条"));
    return memo;
}

// Breaking lines at word boundaries takes time that grows with the square
// of a word's length: a pasted tip of a million letters without a space
// would hold the window for minutes. Runs longer than this, far wider than
// the box, are broken anywhere instead.
constexpr qsizetype kLongestWrappedWord = 1000;

QTextOption::WrapMode DetailWrapMode(const QString &text)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype next = breaks.toNextBoundary(); next >= 0; next = breaks.toNextBoundary()) {
        if (next - previous > kLongestWrappedWord)
            return QTextOption::WrapAnywhere;
        previous = next;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

}  // namespace

TForm3::TForm3(QWidget *parent) : TForm3(InstallFolder::Current().UserRoot(), parent) {}

TForm3::TForm3(const QString &userRoot, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), book_(*this, userRoot)
{
    Form3 = this;
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("技巧篇"));
    setFixedSize(kClientSize);
    BuildControls();
    BuildAddPanel();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(200);

    connect(ListView1, &TipListView::mouseClicked, this, &TForm3::ListView1Click);
    connect(ListView1, &TipListView::mouseDoubleClicked, this, &TForm3::SpeedButton2Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &TForm3::SpeedButton2Click);
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm3::SpeedButton3Click);
    connect(SpeedButton5, &FlatButton::clicked, this, &TForm3::SpeedButton5Click);
    connect(SpeedButton6, &FlatButton::clicked, this, &TForm3::SpeedButton6Click);
    connect(SpeedButton4, &FlatButton::clicked, this, &TForm3::SpeedButton4Click);
    connect(SpeedButton1, &FlatButton::clicked, this, &TForm3::SpeedButton1Click);
    connect(Label13, &ClickLabel::clicked, this, &TForm3::Label13Click);
    connect(Timer1, &QTimer::timeout, this, &TForm3::Timer1Timer);
    Memo2->installEventFilter(this);

    FormCreate();
    WindowPlacement::CentreOnScreen(this);
}

TForm3::~TForm3()
{
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::BuildControls()
{
    Panel1 = Controls::Make<BevelPanel>(this, "Panel1", rect());
    Panel1->setColor(Palette::Desktop);
    Panel1->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered, 5);

    Panel2 = Controls::Make<BevelPanel>(Panel1, "Panel2", {16, 16, 761, 540});
    Panel2->setColor(Palette::White);
    Panel2->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Raised, 2);
    Panel2->setSingleBorder(true);

    Label1 = MakeCaption(Panel2, "Label1", {16, 14}, QStringLiteral("我的技巧囊^o^······"), Palette::Navy);

    ListView1 = Controls::Make<TipListView>(Panel2, "ListView1", {16, 32, 313, 489});
    ListView1->setFont(Fonts::Ui(13, true));
    ListView1->setAccessibleName(QStringLiteral("我的技巧囊"));
    ListView1->setModel(&book_.ListModel());
    ListView1->verticalHeader()->setDefaultSectionSize(ListView1->fontMetrics().height() + 6);
    ListView1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    ListView1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    ListView1->horizontalHeader()->resizeSection(0, kNumberColumnWidth);

    Label2 = MakeCaption(Panel2, "Label2", {344, 14}, QStringLiteral("技巧详解："), Palette::Navy);

    Memo1 = MakeMemo(Panel2, "Memo1", {344, 32, 401, 433}, Fonts::Ui(16, true));
    Memo1->setReadOnly(true);
    Memo1->setAccessibleName(QStringLiteral("技巧详解"));

    SpeedButton2 = Controls::MakeButton(Panel2, "SpeedButton2", {368, 488, 113, 33},
                                        TipsButton(QStringLiteral("详解技巧"), "magnifier", Palette::Navy));
    SpeedButton3 = Controls::MakeButton(Panel2, "SpeedButton3", {504, 488, 113, 33},
                                        TipsButton(QStringLiteral("技巧添加"), "pencil", Palette::Navy));
    SpeedButton1 = Controls::MakeButton(Panel2, "SpeedButton1", {632, 488, 113, 33},
                                        TipsButton(QStringLiteral("谢谢，再见"), "power", Palette::Navy));

    Label13 = Controls::MakeRoundControl(Panel2, "Label13", {712, 4, 33, 25}, "Shape2", {716, 4, 25, 25},
                                         QStringLiteral("―"), QStringLiteral("最小化"), Shape2);
    Label13->setAttribute(Qt::WA_TranslucentBackground);
}

void TForm3::BuildAddPanel()
{
    Panel3 = Controls::Make<BevelPanel>(Panel2, "Panel3", {112, 80, 553, 321});
    Panel3->setColor(Palette::Teal);
    Panel3->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered, 5);
    Panel3->setAccessibleName(QStringLiteral("技巧添加"));

    Memo2 = MakeMemo(Panel3, "Memo2", {16, 16, 521, 249}, Fonts::Ui(kCaptionPixels));
    Memo2->setAccessibleName(QStringLiteral("新技巧"));

    Label3 = MakeCaption(Panel3, "Label3", {24, 280}, QStringLiteral("注意：请不要使用回车！"), Palette::Yellow);
    QFont underlined = Label3->font();
    underlined.setUnderline(true);
    Label3->setFont(underlined);
    Label3->adjustSize();

    SpeedButton5 = Controls::MakeButton(Panel3, "SpeedButton5", {200, 272, 105, 33},
                                        TipsButton(QStringLiteral("保存技巧"), "floppy", Palette::Yellow));
    SpeedButton6 = Controls::MakeButton(Panel3, "SpeedButton6", {312, 272, 105, 33},
                                        TipsButton(QStringLiteral("添加新技巧"), "pencil", Palette::Yellow));
    SpeedButton4 = Controls::MakeButton(Panel3, "SpeedButton4", {424, 272, 105, 33},
                                        TipsButton(QStringLiteral("返回查看"), "power", Palette::Yellow));
    for (FlatButton *button : {SpeedButton2, SpeedButton3, SpeedButton1, SpeedButton5, SpeedButton6, SpeedButton4})
        button->setCursor(Qt::PointingHandCursor);

    Panel3->raise();
    Panel3->hide();
}

void TForm3::FormCreate()
{
    Memo1->setPlainText(kHint);
    book_.Create();
}

void TForm3::ListView1Click()
{
    book_.ListClicked();
}

void TForm3::SpeedButton2Click()
{
    book_.ShowTipInFull();
}

void TForm3::SpeedButton3Click()
{
    book_.OpenAddPanel();
}

bool TForm3::Memo2KeyPress(QChar key)
{
    return book_.CharacterTyped(key) == TypedCharacter::ToAddBox;
}

void TForm3::SpeedButton5Click()
{
    book_.SaveTip();
}

void TForm3::SpeedButton6Click()
{
    book_.AddAnother();
}

void TForm3::SpeedButton4Click()
{
    book_.BackToReading();
}

void TForm3::SpeedButton1Click()
{
    book_.Leave();
}

void TForm3::Label13Click()
{
    book_.Minimise();
}

void TForm3::Timer1Timer()
{
    book_.SaveTip();
}

void TForm3::saveTipLater()
{
    Timer1->start();
}

void TForm3::reject()
{
    book_.Leave();
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo2 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter || !key->text().isEmpty())
            return !Memo2KeyPress(enter ? QChar(u'\r') : key->text().front());
    }
    return QDialog::eventFilter(watched, event);
}

void TForm3::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close the window; only its own controls do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int TForm3::selectedRow() const
{
    return ListView1->selectedRow();
}

void TForm3::setDetailText(const QString &text)
{
    // A new wrap mode lays out again whatever the box holds: emptied first,
    // neither text is ever laid out in the other's mode.
    Memo1->clear();
    Memo1->setWordWrapMode(DetailWrapMode(text));
    Memo1->setPlainText(text);
}

QString TForm3::newTipText() const
{
    return Memo2->toPlainText();
}

void TForm3::clearNewTipText()
{
    Memo2->clear();
}

bool TForm3::addPanelShown() const
{
    return Panel3->isVisibleTo(Panel2);
}

void TForm3::setAddPanelShown(bool shown)
{
    Panel3->setVisible(shown);
    if (shown)
        Memo2->setFocus();
}

void TForm3::setSaveEnabled(bool enabled)
{
    SpeedButton5->setEnabled(enabled);
}

void TForm3::showMessage(const QString &text)
{
    Notices::ShowNotice(text);
}

void TForm3::showError(const QString &text)
{
    Notices::ShowErrorBox(text);
}

void TForm3::closeWindow()
{
    QDialog::reject();
}

void TForm3::minimiseApplication()
{
    WindowPlacement::MinimiseApplication();
}
