#include "shell/TForm7.h"

#include "notices/ErrorText.h"
#include "notices/Notices.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PenCursor.h"
#include "widgets/WindowPlacement.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr QSize kClientSize{640, 460};
constexpr int kColumns = 6;
constexpr QSize kCell{100, 124};

FlatButton *MakePictureButton(QWidget *parent, const QByteArray &name, const QRect &rect, const QString &picture,
                              const QString &accessibleName)
{
    FlatButton *button =
        Controls::MakeButton(parent, name.constData(), rect,
                             {.accessibleName = accessibleName, .picture = ChildPictureResource(picture),
                              .pictureSize = rect.size() - QSize(12, 12)});
    GivePenCursor(button);
    return button;
}

FlatButton *MakeCaptioned(QWidget *parent, const char *name, const QRect &rect, const QString &caption)
{
    FlatButton *button = Controls::MakeButton(
        parent, name, rect, {.caption = caption, .font = Fonts::Ui(18, true), .captionColor = Palette::Navy});
    GivePenCursor(button);
    return button;
}

}  // namespace

TForm7::TForm7(ChildList &children, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      children_(children)
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
    SpeedButton2 = MakeCaptioned(this, "SpeedButton2", {500, 408, 120, 40}, QStringLiteral("离开"));
    connect(SpeedButton1, &FlatButton::clicked, this, &TForm7::SpeedButton1Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &QDialog::reject);

    // The new child's panel covers the children while it is open.
    Panel1 = Controls::Make<QWidget>(this, "Panel1", {20, 64, 600, 336});
    Panel1->setAutoFillBackground(true);
    Controls::SetColor(Panel1, QPalette::Window, Palette::White);
    auto *nameLabel = Controls::Place(new QLabel(QStringLiteral("名字："), Panel1), "Label2", {20, 20, 80, 36});
    nameLabel->setFont(Fonts::Ui(18, true));
    Edit1 = Controls::Make<QLineEdit>(Panel1, "Edit1", {100, 20, 260, 36});
    Edit1->setFont(Fonts::Ui(18));
    Edit1->setMaxLength(12);
    Edit1->setAccessibleName(QStringLiteral("名字"));
    for (int k = 0; k < ChildPictures().size(); ++k) {
        const QRect rect(20 + (k % 4) * 140, 76 + (k / 4) * 120, 110, 110);
        FlatButton *button = MakePictureButton(Panel1, "SpeedButton" + QByteArray::number(201 + k), rect,
                                               ChildPictures().at(k), QStringLiteral("图画%1").arg(k + 1));
        button->setCheckable(true);
        connect(button, &FlatButton::clicked, this, [this, k] { PictureButtonClick(k); });
        PictureButtons.append(button);
    }
    SpeedButton3 = MakeCaptioned(Panel1, "SpeedButton3", {440, 20, 140, 36}, QStringLiteral("好了"));
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm7::SpeedButton3Click);
    Panel1->hide();

    ShowChildren();
    WindowPlacement::CentreOnScreen(this);
}

void TForm7::ShowChildren()
{
    qDeleteAll(ChildButtons);
    qDeleteAll(NameLabels);
    ChildButtons.clear();
    NameLabels.clear();
    const QList<Child> &children = children_.Children();
    for (int k = 0; k < children.size() && k < MostChildren; ++k) {
        const Child &child = children.at(k);
        const QPoint corner(20 + (k % kColumns) * kCell.width(), 68 + (k / kColumns) * kCell.height());
        FlatButton *button = MakePictureButton(this, "SpeedButton" + QByteArray::number(101 + k),
                                               QRect(corner + QPoint(8, 0), QSize(84, 84)), child.picture,
                                               child.name);
        button->setToolTip(child.name);
        connect(button, &FlatButton::clicked, this, [this, k] { ChildButtonClick(k); });
        auto *name = Controls::Place(new QLabel(child.name, this), ("Label" + QByteArray::number(101 + k)).constData(),
                                     QRect(corner + QPoint(0, 86), QSize(kCell.width(), 28)));
        name->setAlignment(Qt::AlignCenter);
        name->setFont(Fonts::Ui(17, child.id == children_.Current().id));
        Controls::SetColor(name, QPalette::WindowText, child.id == children_.Current().id ? Palette::Red : Palette::Navy);
        button->show();
        name->show();
        ChildButtons.append(button);
        NameLabels.append(name);
    }
    SpeedButton1->setEnabled(children.size() < MostChildren);
}

void TForm7::ChildButtonClick(int index)
{
    children_.SetCurrent(children_.Children().at(index).id);
    changed_ = true;
    accept();
}

void TForm7::SpeedButton1Click()
{
    Edit1->clear();
    picture_ = ChildPictures().at(children_.Children().size() % ChildPictures().size());
    for (int k = 0; k < PictureButtons.size(); ++k)
        PictureButtons.at(k)->setChecked(ChildPictures().at(k) == picture_);
    Panel1->show();
    Panel1->raise();
    Edit1->setFocus();
}

void TForm7::PictureButtonClick(int index)
{
    picture_ = ChildPictures().at(index);
    for (int k = 0; k < PictureButtons.size(); ++k)
        PictureButtons.at(k)->setChecked(k == index);
}

void TForm7::SpeedButton3Click()
{
    const QString name = Edit1->text().simplified().remove(u'\t');
    if (name.isEmpty()) {
        Notices::ShowNotice(QStringLiteral("请先写上名字！"));
        return;
    }
    children_.Add(name, picture_);
    changed_ = true;
    Panel1->hide();
    ShowChildren();
}
