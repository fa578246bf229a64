#include "kebiao/TForm6.h"

#include "widgets/BevelPanel.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PenCursor.h"
#include "widgets/WindowPlacement.h"

#include <QLabel>
#include <QListWidget>
#include <utility>

namespace {

constexpr QSize kClientSize{640, 440};

QLabel *MakeCaption(QWidget *parent, const char *name, QPoint at, const QString &text, const QFont &font)
{
    auto *label = Controls::Place(new QLabel(text, parent), name, QRect(at, QSize()));
    label->setFont(font);
    Controls::SetColor(label, QPalette::WindowText, Palette::Navy);
    label->adjustSize();
    return label;
}

QListWidget *MakeList(QWidget *parent, const char *name, const QRect &rect, const QString &accessibleName)
{
    auto *list = Controls::Place(new QListWidget(parent), name, rect);
    list->setAccessibleName(accessibleName);
    list->setFont(Fonts::Ui(15, true));
    Controls::SetColor(list, QPalette::Text, Palette::Navy);
    GivePenCursor(list->viewport());
    return list;
}

Controls::ButtonFace ChooserButton(const QString &caption, const char *picture)
{
    return {.caption = caption,
            .font = Fonts::LiShu(21, true),
            .captionColor = Palette::Navy,
            .picture = picture ? QStringLiteral(":/drill/%1.svg").arg(QLatin1String(picture)) : QString(),
            .pictureSize = {40, 40}};
}

void Fill(QListWidget *list, const QStringList &rows, int selected)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(rows);
    list->setCurrentRow(selected);
}

}  // namespace

TForm6::TForm6(const PresetPick &current, PresetChoice::Mastery mastered, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), choice_(*this, current, std::move(mastered))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("课本同步"));
    setFixedSize(kClientSize);

    Panel1 = Controls::Place(new BevelPanel(this), "Panel1", rect());
    Panel1->setColor(Palette::Cream);
    Panel1->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered, 5);
    Panel1->setAccessibleName(QStringLiteral("课本同步"));

    Label1 = MakeCaption(Panel1, "Label1", {24, 16}, QStringLiteral("课本同步：练这一课学的口算"), Fonts::LiShu(28, true));
    Label2 = MakeCaption(Panel1, "Label2", {24, 64}, QStringLiteral("年级"), Fonts::Ui(14, true));
    ListBox1 = MakeList(Panel1, "ListBox1", {24, 84, 120, 260}, QStringLiteral("年级"));
    Label3 = MakeCaption(Panel1, "Label3", {160, 64}, QStringLiteral("单元（例题，达标：每分钟题数、正确率）"),
                         Fonts::Ui(14, true));
    ListBox2 = MakeList(Panel1, "ListBox2", {160, 84, 456, 180}, QStringLiteral("单元"));
    // The longest unit's row is wider than the list: it wraps rather than
    // hiding its 达标 figures off to the right.
    ListBox2->setFont(Fonts::Ui(14, true));
    ListBox2->setWordWrap(true);
    ListBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label4 = MakeCaption(Panel1, "Label4", {160, 276}, QStringLiteral("选择"), Fonts::Ui(14, true));
    ListBox3 = MakeList(Panel1, "ListBox3", {160, 296, 456, 48}, QStringLiteral("选择"));
    ListBox3->setFlow(QListView::LeftToRight);
    ListBox3->setSpacing(4);

    SpeedButton1 = Controls::MakeButton(Panel1, "SpeedButton1", {24, 360, 185, 65}, ChooserButton(QStringLiteral("确定"), "done"));
    SpeedButton2 = Controls::MakeButton(Panel1, "SpeedButton2", {224, 360, 185, 65},
                                        ChooserButton(QStringLiteral("自由练习"), "restart"));
    SpeedButton3 = Controls::MakeButton(Panel1, "SpeedButton3", {424, 360, 185, 65}, ChooserButton(QStringLiteral("取消"), nullptr));
    for (FlatButton *button : {SpeedButton1, SpeedButton2, SpeedButton3})
        GivePenCursor(button);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm6::ListBox1Click);
    connect(ListBox2, &QListWidget::currentRowChanged, this, &TForm6::ListBox2Click);
    connect(ListBox3, &QListWidget::currentRowChanged, this, &TForm6::ListBox3Click);
    connect(SpeedButton1, &FlatButton::clicked, this, &TForm6::SpeedButton1Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &TForm6::SpeedButton2Click);
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm6::SpeedButton3Click);

    choice_.Open();
    if (parent)
        move(parent->geometry().center() - rect().center());
    else
        WindowPlacement::CentreOnScreen(this);
}

void TForm6::reject()
{
    // Escape is 取消; the logic closes the window itself.
    if (closing_)
        QDialog::reject();
    else
        choice_.Cancel();
}

void TForm6::ListBox1Click(int row)
{
    choice_.TermSelected(row);
}

void TForm6::ListBox2Click(int row)
{
    choice_.PresetSelected(row);
}

void TForm6::ListBox3Click(int row)
{
    choice_.ChoiceSelected(row);
}

void TForm6::SpeedButton1Click()
{
    choice_.Confirm();
}

void TForm6::SpeedButton2Click()
{
    choice_.FreePractice();
}

void TForm6::SpeedButton3Click()
{
    choice_.Cancel();
}

void TForm6::showTerms(const QStringList &terms, int selected)
{
    Fill(ListBox1, terms, selected);
}

void TForm6::showPresets(const QStringList &rows, int selected)
{
    Fill(ListBox2, rows, selected);
}

void TForm6::showChoices(const QStringList &choices, int selected)
{
    Fill(ListBox3, choices, selected);
    Label4->setVisible(!choices.isEmpty());
    ListBox3->setVisible(!choices.isEmpty());
}

void TForm6::closeChooser()
{
    closing_ = true;
    if (choice_.Result())
        accept();
    else
        QDialog::reject();
}
