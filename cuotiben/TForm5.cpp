#include "cuotiben/TForm5.h"

#include "arithmetic/AnswerText.h"
#include "arithmetic/EquationRow.h"
#include "arithmetic/ProblemTexts.h"

#include "cuotiben/NotebookListModel.h"
#include "cuotiben/NotebookListView.h"
#include "storage/SaveRetry.h"
#include "arithmetic/ProblemText.h"
#include "sound/Cues.h"
#include "notices/ErrorText.h"
#include "widgets/FormRefs.h"
#include "storage/InstallFolder.h"
#include "notices/Notices.h"
#include "widgets/PenCursor.h"
#include "widgets/AnswerBox.h"
#include "widgets/AnswerFeedback.h"
#include "widgets/CelebrationPanel.h"
#include "widgets/AnswerKeypad.h"
#include "widgets/ClickLabel.h"
#include "widgets/ChildBadge.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintSheet.h"
#include "widgets/ProblemDisplay.h"
#include "widgets/StarBurst.h"
#include "widgets/WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <utility>

namespace {

constexpr QSize kClientSize{792, 573};
constexpr QPoint kProblemRow{52, 56};
// The right equation after a miss goes between the problem row and the lists.
constexpr QRect kEquationRect{120, 130, 440, 44};
constexpr int kListCaptionTop = 178;
constexpr QRect kToReviewRect{16, 202, 500, 182};
constexpr QRect kConqueredRect{528, 202, 248, 182};

QLabel *MakeLabel(QWidget *parent, const char *name, const QRect &rect, const QString &text, const QColor &color,
                  const QFont &font)
{
    auto *label = Controls::Place(new QLabel(text, parent), name, rect);
    label->setFont(font);
    Controls::SetColor(label, QPalette::WindowText, color);
    return label;
}

NotebookListView *MakeList(QWidget *parent, const char *name, const QRect &rect, NotebookListModel *model,
                           const QString &accessibleName)
{
    auto *list = Controls::Make<NotebookListView>(parent, name, rect);
    list->setModel(model);
    list->setFont(Fonts::Ui(13));
    Controls::SetColor(list, QPalette::Text, Palette::Navy);
    list->setAccessibleName(accessibleName);
    return list;
}

QString ConqueredText(int count)
{
    return QStringLiteral("已消灭：%1 道").arg(count);
}

}  // namespace

TForm5::TForm5(QWidget *parent)
    : TForm5(Notebook::PathIn(InstallFolder::Current().UserDatabaseFolder()), SystemToday, parent)
{
}

TForm5::TForm5(const QString &notebookPath, Clock today, QWidget *parent)
    : TForm5(std::make_shared<Notebook>(notebookPath), std::move(today), parent)
{
}

TForm5::TForm5(std::shared_ptr<Notebook> notebook, Clock today, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      notebook_(std::move(notebook)),
      today_(std::move(today)),
      session_(*this, *notebook_, today_)
{
    Form5 = this;
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("错题本"));
    setFixedSize(kClientSize);

    BuildHeading();
    BuildLists();
    BuildKeypad();
    BuildEncouragement();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);

    ConnectHandlers();
    FormCreate();
    WindowPlacement::CentreOnScreen(this);
}

TForm5::~TForm5()
{
    if (Form5 == this)
        Form5 = nullptr;
}

void TForm5::ShowChild(const QString &name, const QString &pictureResource)
{
    Panel4->Show(name, pictureResource);
    Panel4->setVisible(!name.isEmpty());
}

void TForm5::BuildHeading()
{
    Image1 = Controls::MakePicture(this, "Image1", rect(), QStringLiteral(":/notebook/background.svg"),
                                   QStringLiteral("错题本背景"));
    // Their labels are painted in the background.
    SpeedButton2 = Controls::MakeButton(this, "SpeedButton2", {63, 464, 193, 73},
                                        {.accessibleName = QStringLiteral("开始复习")});
    SpeedButton3 = Controls::MakeButton(this, "SpeedButton3", {299, 464, 193, 73},
                                        {.accessibleName = QStringLiteral("打印错题")});
    SpeedButton1 = Controls::MakeButton(this, "SpeedButton1", {535, 464, 193, 73},
                                        {.accessibleName = QStringLiteral("离开")});

    Label1 = MakeLabel(this, "Label1", {200, 14, 480, 30}, QString(), Palette::Yellow, Fonts::Ui(20, true));
    // Right of the due count, which never reaches past the middle.
    Panel4 = Controls::Make<ChildBadge>(this, "Panel4", {460, 8, 246, 40});
    Panel4->setFont(Fonts::Ui(16, true));
    Controls::SetColor(Panel4, QPalette::WindowText, Palette::Yellow);
    Panel4->hide();
    Label12 = Controls::MakeRoundControl(this, "Label12", {712, 16, 29, 25}, "Shape1", {712, 16, 29, 25},
                                         QStringLiteral("▲"), QStringLiteral("我在最前面"), Shape1);
    // Above the answer box, as in the drill: beneath it the answer's mark
    // and the right equation take the room.
    SpeedButton19 = Controls::MakeButton(this, "SpeedButton19", {646, 8, 56, 44},
                                         {.caption = QStringLiteral("余"),
                                          .accessibleName = QStringLiteral("余数"),
                                          .font = Fonts::LiShu(30, true),
                                          .captionColor = Palette::Fuchsia});
    SpeedButton19->hide();
    // A problem asks for one kind of answer, so its key takes the 余 key's
    // place.
    SpeedButton20 = Controls::MakeButton(this, "SpeedButton20", {646, 8, 56, 44},
                                         {.caption = QStringLiteral("."),
                                          .accessibleName = QStringLiteral("小数点"),
                                          .font = Fonts::SongTi(48, true),
                                          .captionColor = Palette::Fuchsia});
    SpeedButton21 = Controls::MakeButton(this, "SpeedButton21", {646, 8, 56, 44},
                                         {.caption = QStringLiteral("分数"),
                                          .font = Fonts::LiShu(24, true),
                                          .captionColor = Palette::Fuchsia});
    SpeedButton20->hide();
    SpeedButton21->hide();
    Label13 = Controls::MakeRoundControl(this, "Label13", {744, 16, 29, 25}, "Shape2", {744, 16, 29, 25},
                                         QStringLiteral("―"), QStringLiteral("藏起来"), Shape2);

    display_ = std::make_unique<ProblemDisplay>(this, kProblemRow);
    static_cast<ProblemRowControls &>(*this) = display_->Row();
    display_->setKeyFilter([this](QChar typed) { return Edit1KeyPress(typed); });
    display_->setFractionSpeaker(&SpokenTypedFraction);
}

void TForm5::BuildLists()
{
    toReview_ = std::make_unique<NotebookListModel>(*notebook_, NotebookListModel::Shows::ToReview, today_);
    conquered_ = std::make_unique<NotebookListModel>(*notebook_, NotebookListModel::Shows::Conquered, today_);
    const QFont captionFont = Fonts::Ui(15, true);
    Label5 = MakeLabel(this, "Label5", {kToReviewRect.x(), kListCaptionTop, kToReviewRect.width(), 24},
                       QStringLiteral("还没消灭的错题"), Palette::White, captionFont);
    ListView1 = MakeList(this, "ListView1", kToReviewRect, toReview_.get(), QStringLiteral("还没消灭的错题"));
    // Each column as wide as its heading and cells need; the problems get
    // some room to spare.
    ListView1->ShowColumns({{NotebookListModel::ProblemColumn, 100},
                            {NotebookListModel::AnswerColumn, 0},
                            {NotebookListModel::MissedColumn, 0},
                            {NotebookListModel::SourceColumn, 0},
                            {NotebookListModel::RightColumn, 0},
                            {NotebookListModel::DueColumn, 0}});
    Label4 = MakeLabel(this, "Label4", {kConqueredRect.x(), kListCaptionTop, kConqueredRect.width(), 24}, ConqueredText(0),
                       Palette::White, captionFont);
    ListView2 = MakeList(this, "ListView2", kConqueredRect, conquered_.get(), QStringLiteral("已消灭的错题"));
    ListView2->ShowColumns({{NotebookListModel::ProblemColumn, 100},
                            {NotebookListModel::MissedColumn, 84},
                            {NotebookListModel::SourceColumn, 44}});
}

void TForm5::BuildKeypad()
{
    Panel1 = Controls::Place(new AnswerKeypad(this), "Panel1", {19, 392, 753, 65});
    static_cast<AnswerKeypadKeys &>(*this) = Panel1->Keys();
}

void TForm5::BuildEncouragement()
{
    Panel2 = new AnswerFeedback(this, {"Panel2", "Image6", "Image7", "Label6"}, {700, 128, 60, 60}, kEquationRect);
    // Where the right equation stands after a miss, which it takes away.
    Label8 = MakeLabel(this, "Label8", kEquationRect, QString(), Palette::Red, Fonts::Ui(16, true));
    Label8->setAlignment(Qt::AlignCenter);
    Label8->hide();
    Image3 = Controls::Place(new StarBurst(this), "Image3", QRect(kProblemRow + QPoint(0, -50), QSize(700, 130)));
    Image4 = Controls::Place(new StarBurst(this), "Image4", kConqueredRect);
    Image5 = Controls::MakePicture(this, "Image5", {16, 16, 24, 24}, QStringLiteral(":/marks/star.svg"),
                                   QStringLiteral("星星"));
    Image5->hide();
    Label7 = MakeLabel(this, "Label7", {44, 14, 120, 28}, QString(), Palette::Yellow, Fonts::Ui(20, true));
    Label7->hide();
    Panel3 = new CelebrationPanel(this, "Panel3", "Image8", "SpeedButton4");
}

void TForm5::ConnectHandlers()
{
    connect(SpeedButton1, &FlatButton::clicked, this, &TForm5::SpeedButton1Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &TForm5::SpeedButton2Click);
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm5::SpeedButton3Click);
    for (int d = 0; d < 10; ++d)
        connect(Panel1->DigitKey(d), &FlatButton::clicked, this, [this, d] { DigitKeyClick(d); });
    connect(SpeedButton15, &FlatButton::clicked, this, &TForm5::SpeedButton15Click);
    connect(SpeedButton18, &FlatButton::clicked, this, &TForm5::SpeedButton18Click);
    connect(SpeedButton19, &FlatButton::clicked, this, &TForm5::SpeedButton19Click);
    connect(SpeedButton20, &FlatButton::clicked, this, &TForm5::SpeedButton20Click);
    connect(SpeedButton21, &FlatButton::clicked, this, &TForm5::SpeedButton21Click);
    connect(Label12, &ClickLabel::clicked, this, &TForm5::Label12Click);
    connect(Label13, &ClickLabel::clicked, this, &TForm5::Label13Click);
    connect(Timer1, &QTimer::timeout, this, &TForm5::Timer1Timer);
}

void TForm5::FormCreate()
{
    for (FlatButton *button : {SpeedButton2, SpeedButton3, SpeedButton1, SpeedButton19, SpeedButton20, SpeedButton21})
        GivePenCursor(button);
    for (FlatButton *key : Panel1->AnswerKeys())
        GivePenCursor(key);
    GivePenCursor(Edit1);
    session_.Open();
}

void TForm5::closeEvent(QCloseEvent *event)
{
    session_.Save();
    QDialog::closeEvent(event);
}

void TForm5::keyPressEvent(QKeyEvent *event)
{
    // Escape would close the window behind the review's back: only "离开"
    // leaves.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm5::SpeedButton1Click()
{
    session_.Leave();
}

void TForm5::SpeedButton2Click()
{
    session_.StartReview();
}

void TForm5::SpeedButton3Click()
{
    session_.PrintUnconquered();
}

void TForm5::DigitKeyClick(int digit)
{
    session_.DigitKey(digit);
}

void TForm5::SpeedButton15Click()
{
    session_.Check();
}

void TForm5::SpeedButton18Click()
{
    session_.Clear();
}

void TForm5::SpeedButton19Click()
{
    session_.RemainderKey();
}

void TForm5::SpeedButton20Click()
{
    session_.PointKey();
}

void TForm5::SpeedButton21Click()
{
    session_.FractionKey();
}

bool TForm5::Edit1KeyPress(QChar typed)
{
    return session_.KeyTyped(typed) == TypedKey::ToAnswerBox;
}

void TForm5::Label12Click()
{
    WindowPlacement::SetStaysOnTop(this, true);
}

void TForm5::Label13Click()
{
    WindowPlacement::MinimiseApplication();
}

void TForm5::Timer1Timer()
{
    session_.Save();
}

void TForm5::setDueText(const QString &text)
{
    Label1->setText(text);
}

void TForm5::entriesChanged()
{
    toReview_->Rebuild();
    conquered_->Rebuild();
    Label4->setText(ConqueredText(notebook_->ConqueredCount()));
}

void TForm5::setOperands(const QString &first, const QString &second, const QString &spoken)
{
    display_->setOperands(first, second, spoken);
}

void TForm5::clearOperands()
{
    display_->clearOperands();
}

void TForm5::showOperatorSign(Operator op)
{
    display_->showSign(static_cast<int>(op) - 1);
}

void TForm5::showEqualsSign()
{
    display_->showEqualsSign();
}

void TForm5::hideSigns()
{
    display_->hideSigns();
}

QString TForm5::answerText() const
{
    return display_->answerText();
}

void TForm5::setAnswerText(const QString &text)
{
    display_->setAnswerText(text);
}

QString TForm5::typingText() const
{
    return display_->typingText();
}

void TForm5::setTypingText(const QString &text)
{
    display_->setTypingText(text);
}

void TForm5::openFraction(const QString &whole)
{
    display_->openFraction(whole);
}

void TForm5::showAnswerHint(const QString &text)
{
    if (!text.isEmpty())
        Panel2->Clear();
    Label8->setText(text);
    Label8->setVisible(!text.isEmpty());
}

void TForm5::setAnswerReadOnly(bool readOnly)
{
    display_->setAnswerReadOnly(readOnly);
}

void TForm5::setConfirmEnabled(bool enabled)
{
    SpeedButton15->setEnabled(enabled);
}

void TForm5::showRightFeedback()
{
    Panel2->ShowRight();
}

void TForm5::showWrongFeedback(const QString &equation, const QString &spokenEquation)
{
    Panel2->ShowWrong(equation, spokenEquation);
}

void TForm5::clearFeedback()
{
    Panel2->Clear();
}

void TForm5::celebrate()
{
    Image3->Play();
}

void TForm5::setStarCount(int stars)
{
    Image5->setVisible(stars > 0);
    Label7->setText(QStringLiteral("× %1").arg(stars));
    Label7->setAccessibleName(QStringLiteral("星星 %1 颗").arg(stars));
    Label7->setVisible(stars > 0);
}

void TForm5::celebrateConquest()
{
    Image4->Play();
}

void TForm5::celebrateFinish(const QString &text)
{
    Panel3->Celebrate(text);
}

void TForm5::saveSoon()
{
    Timer1->start(0);
}

void TForm5::saveLater()
{
    Timer1->start(SaveRetry::RetryInterval);
}

void TForm5::playCue(const QString &relativePath)
{
    PlayCue(relativePath);
}

void TForm5::showMessage(const QString &text)
{
    Notices::ShowNotice(text);
}

void TForm5::showError(const QString &text)
{
    Notices::ShowErrorBox(text);
}

void TForm5::showProblem(const Problem &problem)
{
    const EquationRow row = EquationRowOf(problem);
    display_->showEquation(row.before, row.after, row.wideBlank, SpokenProblem(problem));
}

void TForm5::showAnswerKey(AnswerKind kind)
{
    SpeedButton19->setVisible(kind == AnswerKind::QuotientRemainder);
    SpeedButton20->setVisible(kind == AnswerKind::Decimal || kind == AnswerKind::Percent);
    SpeedButton21->setVisible(kind == AnswerKind::Fraction);
}

void TForm5::printProblems(const QList<Problem> &problems)
{
    QList<SheetProblem> sheet;
    sheet.reserve(problems.size());
    for (const Problem &problem : problems)
        sheet.append({PrintedText(problem), AnswerText(problem.Expected())});
    if (const std::optional<PrintFailure> failure = PrintPracticeSheet(this, sheet, QStringLiteral("错题练习")))
        Notices::ShowErrorBox(ErrorText::CannotPrint(failure->target, failure->reason));
}

void TForm5::closeWindow()
{
    accept();
}
