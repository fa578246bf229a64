#include "shell/TForm7.h"

#include "notices/Notices.h"
#include "arithmetic/TodayUnit.h"
#include "shell/Histories.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PenCursor.h"
#include "widgets/WindowPlacement.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

constexpr QSize kClientSize{640, 460};
constexpr int kColumns = 6;
constexpr QSize kCell{100, 140};
constexpr QRect kPanelRect{20, 64, 600, 336};

FlatButton *MakePictureButton(QWidget *parent, const QByteArray &name, const QRect &rect, const QString &picture,
                              const QString &accessibleName, bool selectionFrame = false)
{
    FlatButton *button =
        Controls::MakeButton(parent, name.constData(), rect,
                             {.accessibleName = accessibleName, .picture = ChildPictureResource(picture),
                              .pictureSize = rect.size() - QSize(12, 12), .selectionFrame = selectionFrame});
    GivePenCursor(button);
    return button;
}

FlatButton *MakeCaptioned(QWidget *parent, const char *name, const QRect &rect, const QString &caption,
                          int pixels = 18)
{
    FlatButton *button = Controls::MakeButton(
        parent, name, rect,
        {.caption = caption, .font = Fonts::Ui(pixels, true), .captionColor = Palette::Navy, .raised = true});
    GivePenCursor(button);
    return button;
}

QWidget *MakePanel(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *panel = Controls::Make<QWidget>(parent, name, kPanelRect);
    panel->setAutoFillBackground(true);
    panel->setAccessibleName(accessibleName);
    Controls::SetColor(panel, QPalette::Window, Palette::White);
    panel->hide();
    return panel;
}

// A child's place in a grid: the animal, and the name under it on up to
// two lines, so that the longest name shows whole.
struct ChildCell {
    FlatButton *button;
    QLabel *name;
    QLabel *grade;  // only for the children who practise
};

// "一年级", or a question until a parent has said it.
QString GradeText(const Child &child)
{
    return child.grade ? GradeName(*child.grade) : QStringLiteral("几年级？");
}

ChildCell MakeChildCell(QWidget *parent, int index, QPoint origin, int firstNumber, const Child &child, bool current,
                        bool withGrade)
{
    const QPoint corner = origin + QPoint((index % kColumns) * kCell.width(), (index / kColumns) * kCell.height());
    const QByteArray number = QByteArray::number(firstNumber + index);
    FlatButton *button = MakePictureButton(parent, "SpeedButton" + number, QRect(corner + QPoint(8, 0), QSize(84, 84)),
                                           child.picture, child.name);
    button->setToolTip(child.name);
    auto *name = Controls::Place(new QLabel(child.name, parent), ("Label" + number).constData(),
                                 QRect(corner + QPoint(0, 84), QSize(kCell.width(), 40)));
    name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    name->setWordWrap(true);
    name->setFont(Fonts::Ui(15, current));
    Controls::SetColor(name, QPalette::WindowText, current ? Palette::Red : Palette::Navy);
    button->show();
    name->show();
    QLabel *grade = nullptr;
    if (withGrade) {
        grade = Controls::Place(new QLabel(GradeText(child), parent),
                                ("Label" + QByteArray::number(firstNumber + 500 + index)).constData(),
                                QRect(corner + QPoint(0, 122), QSize(kCell.width(), 18)));
        grade->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        grade->setFont(Fonts::Ui(13));
        Controls::SetColor(grade, QPalette::WindowText, child.grade ? Palette::Navy : Palette::Maroon);
        grade->show();
    }
    return {button, name, grade};
}

}  // namespace

TForm7::TForm7(ChildList &children, const InstallFolder &family, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      children_(children),
      family_(family)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("谁来练习？"));
    setFixedSize(kClientSize);
    setAutoFillBackground(true);
    Controls::SetColor(this, QPalette::Window, Palette::Cream);

    Label1 = Controls::Place(new QLabel(QStringLiteral("谁来练习？"), this), "Label1", {0, 12, 640, 44});
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(Fonts::KaiTi(30, true));
    Controls::SetColor(Label1, QPalette::WindowText, Palette::Navy);

    SpeedButton1 = MakeCaptioned(this, "SpeedButton1", {20, 408, 120, 40}, QStringLiteral("添加"));
    SpeedButton4 = MakeCaptioned(this, "SpeedButton4", {160, 408, 120, 40}, QStringLiteral("找回"));
    SpeedButton4->setToolTip(QStringLiteral("把移走的小朋友找回来"));
    SpeedButton2 = MakeCaptioned(this, "SpeedButton2", {500, 408, 120, 40}, QStringLiteral("离开"));
    connect(SpeedButton1, &FlatButton::clicked, this, &TForm7::SpeedButton1Click);
    connect(SpeedButton4, &FlatButton::clicked, this, &TForm7::SpeedButton4Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &QDialog::reject);

    BuildEditPanel();
    BuildRemovedPanel();
    BuildConfirmPanel();
    ShowChildren();
    WindowPlacement::CentreOnScreen(this);
}

void TForm7::BuildEditPanel()
{
    // Covers the children while it is open.
    Panel1 = MakePanel(this, "Panel1", QStringLiteral("小朋友的名字和图画"));
    auto *nameLabel = Controls::Place(new QLabel(QStringLiteral("名字："), Panel1), "Label2", {20, 16, 80, 36});
    nameLabel->setFont(Fonts::Ui(18, true));
    Edit1 = Controls::Make<QLineEdit>(Panel1, "Edit1", {100, 16, 260, 36});
    Edit1->setFont(Fonts::Ui(18));
    Edit1->setMaxLength(ChildList::LongestName);
    Edit1->setAccessibleName(QStringLiteral("名字"));
    for (int k = 0; k < ChildPictures().size(); ++k) {
        const QRect rect(20 + (k % 4) * 140, 58 + (k / 4) * 98, 92, 92);
        FlatButton *button = MakePictureButton(Panel1, "SpeedButton" + QByteArray::number(201 + k), rect,
                                               ChildPictures().at(k), QStringLiteral("图画%1").arg(k + 1), true);
        button->setCheckable(true);
        connect(button, &FlatButton::clicked, this, [this, k] { PictureButtonClick(k); });
        PictureButtons.append(button);
    }
    // The grade chooses the unit 今日练习 starts with.
    auto *gradeLabel = Controls::Place(new QLabel(QStringLiteral("年级："), Panel1), "Label5", {20, 254, 80, 32});
    gradeLabel->setFont(Fonts::Ui(18, true));
    for (int grade = ChildList::FirstGrade; grade <= ChildList::LastGrade; ++grade) {
        const int k = grade - ChildList::FirstGrade;
        FlatButton *button = Controls::MakeButton(
            Panel1, ("SpeedButton" + QByteArray::number(501 + k)).constData(), {100 + k * 80, 254, 74, 32},
            {.caption = GradeName(grade), .font = Fonts::Ui(16, true), .captionColor = Palette::Navy,
             .raised = true, .selectionFrame = true});
        button->setCheckable(true);
        GivePenCursor(button);
        connect(button, &FlatButton::clicked, this, [this, k] { GradeButtonClick(k); });
        GradeButtons.append(button);
    }
    SpeedButton3 = MakeCaptioned(Panel1, "SpeedButton3", {440, 16, 140, 36}, QStringLiteral("好了"));
    SpeedButton5 = MakeCaptioned(Panel1, "SpeedButton5", {20, 294, 120, 36}, QStringLiteral("移走"));
    SpeedButton5->setToolTip(QStringLiteral("不在这里练习了：文件都留着，可以找回"));
    SpeedButton6 = MakeCaptioned(Panel1, "SpeedButton6", {460, 294, 120, 36}, QStringLiteral("取消"));
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm7::SpeedButton3Click);
    connect(SpeedButton5, &FlatButton::clicked, this, &TForm7::SpeedButton5Click);
    connect(SpeedButton6, &FlatButton::clicked, Panel1, &QWidget::hide);
}

void TForm7::BuildRemovedPanel()
{
    Panel2 = MakePanel(this, "Panel2", QStringLiteral("移走的小朋友"));
    auto *caption = Controls::Place(new QLabel(QStringLiteral("移走的小朋友：点一下就找回来"), Panel2), "Label3",
                                    {20, 8, 420, 36});
    caption->setFont(Fonts::Ui(18, true));
    Controls::SetColor(caption, QPalette::WindowText, Palette::Navy);
    SpeedButton7 = MakeCaptioned(Panel2, "SpeedButton7", {460, 8, 120, 36}, QStringLiteral("返回"));
    connect(SpeedButton7, &FlatButton::clicked, Panel2, &QWidget::hide);
}

void TForm7::BuildConfirmPanel()
{
    Panel3 = MakePanel(this, "Panel3", QStringLiteral("移走小朋友"));
    Label4 = Controls::Place(new QLabel(Panel3), "Label4", {30, 40, 540, 170});
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4->setFont(Fonts::Ui(18, true));
    Controls::SetColor(Label4, QPalette::WindowText, Palette::Navy);
    SpeedButton8 = MakeCaptioned(Panel3, "SpeedButton8", {100, 240, 160, 44}, QStringLiteral("移走"));
    SpeedButton9 = MakeCaptioned(Panel3, "SpeedButton9", {340, 240, 160, 44}, QStringLiteral("不移走"));
    connect(SpeedButton8, &FlatButton::clicked, this, &TForm7::SpeedButton8Click);
    connect(SpeedButton9, &FlatButton::clicked, Panel3, &QWidget::hide);
}

void TForm7::ShowChildren()
{
    qDeleteAll(ChildButtons);
    qDeleteAll(NameLabels);
    qDeleteAll(EditButtons);
    qDeleteAll(GradeLabels);
    ChildButtons.clear();
    NameLabels.clear();
    EditButtons.clear();
    GradeLabels.clear();
    const QList<Child> children = children_.Present();
    for (int k = 0; k < children.size() && k < ChildList::MostChildren; ++k) {
        const Child &child = children.at(k);
        const ChildCell cell =
            MakeChildCell(this, k, {20, 64}, 101, child, child.id == children_.Current().id, true);
        connect(cell.button, &FlatButton::clicked, this, [this, k] { ChildButtonClick(k); });
        // The pencil's place: the animal's top right corner.
        FlatButton *edit = MakeCaptioned(this, ("SpeedButton" + QByteArray::number(301 + k)).constData(),
                                         QRect(cell.button->geometry().topRight() + QPoint(-26, 0), QSize(28, 26)),
                                         QStringLiteral("改"), 14);
        edit->setAccessibleName(QStringLiteral("修改%1").arg(child.name));
        edit->setToolTip(QStringLiteral("改名字、换图画或移走"));
        connect(edit, &FlatButton::clicked, this, [this, k] { EditButtonClick(k); });
        edit->show();
        ChildButtons.append(cell.button);
        NameLabels.append(cell.name);
        GradeLabels.append(cell.grade);
        EditButtons.append(edit);
    }
    for (QWidget *panel : {Panel1, Panel2, Panel3})
        panel->raise();
    SpeedButton1->setEnabled(children.size() < ChildList::MostChildren);
    SpeedButton4->setEnabled(!children_.Removed().isEmpty());
}

void TForm7::ShowRemoved()
{
    qDeleteAll(RemovedButtons);
    qDeleteAll(RemovedLabels);
    RemovedButtons.clear();
    RemovedLabels.clear();
    const QList<Child> removed = children_.Removed();
    for (int k = 0; k < removed.size() && k < ChildList::MostChildren; ++k) {
        const ChildCell cell = MakeChildCell(Panel2, k, {0, 56}, 401, removed.at(k), false, false);
        connect(cell.button, &FlatButton::clicked, this, [this, k] { RemovedButtonClick(k); });
        RemovedButtons.append(cell.button);
        RemovedLabels.append(cell.name);
    }
}

void TForm7::ShowPanel(QWidget *panel)
{
    for (QWidget *other : {Panel1, Panel2, Panel3})
        other->setVisible(other == panel);
    panel->raise();
}

bool TForm7::Made(const ChildListChange &change)
{
    if (!change) {
        changed_ = true;
        return true;
    }
    using Kind = ChildListRefusal::Kind;
    switch (change->kind) {
    case Kind::NameEmpty:
        Notices::ShowNotice(QStringLiteral("请先写上名字！"));
        break;
    case Kind::NameTooLong:
        Notices::ShowNotice(QStringLiteral("名字最多 %1 个字。").arg(ChildList::LongestName));
        break;
    case Kind::NameTaken:
        Notices::ShowNotice(QStringLiteral("已经有叫“%1”的小朋友了（也许在“找回”里），换一个名字吧！").arg(change->text));
        break;
    case Kind::TooMany:
        Notices::ShowNotice(QStringLiteral("最多 %1 个小朋友。").arg(ChildList::MostChildren));
        break;
    case Kind::LastChild:
        Notices::ShowNotice(QStringLiteral("至少要留一个小朋友。"));
        break;
    case Kind::NotWritten:
        Notices::ShowErrorBox(change->text);
        break;
    }
    return false;
}

void TForm7::ChildButtonClick(int index)
{
    Made(children_.Choose(children_.Present().at(index).id));
    changed_ = true;
    accept();
}

void TForm7::EditButtonClick(int index)
{
    OpenEditor(children_.Present().at(index));
}

void TForm7::SpeedButton1Click()
{
    Child fresh;
    fresh.id = 0;
    fresh.picture = ChildPictures().at(children_.Present().size() % ChildPictures().size());
    OpenEditor(fresh);
}

void TForm7::OpenEditor(const Child &child)
{
    editing_ = child.id;
    Edit1->setText(child.name);
    PictureButtonClick(std::max(0, static_cast<int>(ChildPictures().indexOf(child.picture))));
    grade_ = child.grade;
    for (int k = 0; k < GradeButtons.size(); ++k)
        GradeButtons.at(k)->setChecked(grade_ == ChildList::FirstGrade + k);
    SpeedButton5->setVisible(editing_ != 0);
    SpeedButton5->setEnabled(children_.Present().size() > 1);
    ShowPanel(Panel1);
    Edit1->setFocus();
}

void TForm7::PictureButtonClick(int index)
{
    picture_ = ChildPictures().at(index);
    for (int k = 0; k < PictureButtons.size(); ++k)
        PictureButtons.at(k)->setChecked(k == index);
}

void TForm7::GradeButtonClick(int index)
{
    grade_ = ChildList::FirstGrade + index;
    for (int k = 0; k < GradeButtons.size(); ++k)
        GradeButtons.at(k)->setChecked(k == index);
}

void TForm7::SpeedButton3Click()
{
    if (editing_ == 0) {
        // Ids with a folder or rows in the history were a child's once.
        const QSet<int> inHistory = Histories::ChildrenIn(family_.SharedDatabaseFolder());
        const ChildList::IdTaken taken = [this, &inHistory](int id) {
            return inHistory.contains(id) || family_.ChildFolderIsThere(id);
        };
        if (!Made(children_.Add(Edit1->text(), picture_, taken)))
            return;
        if (const std::optional<QString> error = family_.ForChild(children_.Current().id).PrepareChildFolder())
            Notices::ShowErrorBox(*error);
        // The child is added: a grade that could not be kept is told, and
        // can be given again with 改.
        if (grade_)
            Made(children_.SetGrade(children_.Current().id, *grade_));
    } else {
        const Child *child = children_.Find(editing_);
        if (child && ChildList::TidyName(Edit1->text()) != child->name &&
            !Made(children_.Rename(editing_, Edit1->text())))
            return;
        child = children_.Find(editing_);
        if (child && picture_ != child->picture && !Made(children_.SetPicture(editing_, picture_)))
            return;
        child = children_.Find(editing_);
        if (child && grade_ && grade_ != child->grade && !Made(children_.SetGrade(editing_, *grade_)))
            return;
    }
    Panel1->hide();
    ShowChildren();
}

void TForm7::SpeedButton5Click()
{
    const Child *child = children_.Find(editing_);
    if (!child)
        return;
    Label4->setText(QStringLiteral("要把“%1”从这里移走吗？\n\n%1的错题本、练习记录和成长记录都留着，一个文件也不删；"
                                   "以后按“找回”，就能把%1找回来。")
                        .arg(child->name));
    ShowPanel(Panel3);
}

void TForm7::SpeedButton8Click()
{
    Panel3->hide();
    if (Made(children_.Remove(editing_)))
        Panel1->hide();
    ShowChildren();
}

void TForm7::SpeedButton4Click()
{
    ShowRemoved();
    ShowPanel(Panel2);
}

void TForm7::RemovedButtonClick(int index)
{
    if (Made(children_.BringBack(children_.Removed().at(index).id)))
        Panel2->hide();
    ShowChildren();
}
