#include "kaochang/TForm9.h"

#include "notices/Notices.h"
#include "widgets/BevelPanel.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PenCursor.h"
#include "widgets/WindowPlacement.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

constexpr QSize kClientSize{720, 450};
constexpr int kRowTop = 84;
constexpr int kRowStep = 32;

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray Numbered(const char *kind, int number)
{
    return QByteArray(kind) + QByteArray::number(number);
}

QLabel *MakeCaption(QWidget *parent, const char *name, const QRect &rect, const QString &text, const QColor &color)
{
    auto *label = Controls::Place(new QLabel(text, parent), name, rect);
    label->setFont(Fonts::Ui(14, true));
    Controls::SetColor(label, QPalette::WindowText, color);
    return label;
}

Controls::ButtonFace EditorButton(const QString &caption)
{
    return {.caption = caption, .font = Fonts::LiShu(21, true), .captionColor = Palette::Navy};
}

// The unit box's items: the classic lists first, then every preset.
QStringList UnitItems()
{
    QStringList items{QStringLiteral("自选范围和算法")};
    for (const Preset &preset : Presets())
        items << Utf8(preset.Term) + QStringLiteral(" ") + Utf8(preset.Name);
    return items;
}

}  // namespace

TForm9::TForm9(const Recipe &current, const QString &storePath, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), editing_(*this, current, storePath)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("组卷"));
    setFixedSize(kClientSize);

    Panel1 = Controls::Place(new BevelPanel(this), "Panel1", rect());
    Panel1->setColor(Palette::Cream);
    Panel1->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered, 5);
    Panel1->setAccessibleName(QStringLiteral("组卷"));

    Label1 = MakeCaption(Panel1, "Label1", {24, 16, 672, 40}, QStringLiteral("组卷：几个单元合成一张卷"), Palette::Navy);
    Label1->setFont(Fonts::LiShu(28, true));
    Label2 = MakeCaption(Panel1, "Label2", {24, 64, 150, 20}, QStringLiteral("存好的组卷"), Palette::Navy);
    ListBox1 = Controls::Place(new QListWidget(Panel1), "ListBox1", {24, 84, 150, 188});
    ListBox1->setAccessibleName(QStringLiteral("存好的组卷"));
    ListBox1->setFont(Fonts::Ui(14, true));
    GivePenCursor(ListBox1->viewport());
    Label3 = MakeCaption(Panel1, "Label3", {24, 280, 150, 20}, QStringLiteral("组卷的名字"), Palette::Navy);
    Edit1 = Controls::Place(new QLineEdit(Panel1), "Edit1", {24, 302, 150, 26});
    Edit1->setAccessibleName(QStringLiteral("组卷的名字"));
    Edit1->setFont(Fonts::Ui(14));
    SpeedButton4 = Controls::MakeButton(Panel1, "SpeedButton4", {24, 336, 150, 30}, EditorButton(QStringLiteral("保存")));

    Label4 = MakeCaption(Panel1, "Label4", {190, 64, 500, 20}, QStringLiteral("单元或范围、算法，题数"), Palette::Navy);
    for (int row = 0; row < RecipeEditing::RowCount; ++row)
        BuildRow(row);
    RadioButton1 = Controls::Place(new QRadioButton(QStringLiteral("按顺序"), Panel1), "RadioButton1",
                                   {190, kRowTop + RecipeEditing::RowCount * kRowStep, 100, 24});
    RadioButton2 = Controls::Place(new QRadioButton(QStringLiteral("打乱"), Panel1), "RadioButton2",
                                   {300, kRowTop + RecipeEditing::RowCount * kRowStep, 100, 24});
    for (QRadioButton *order : {RadioButton1, RadioButton2}) {
        order->setFont(Fonts::Ui(14, true));
        Controls::SetColor(order, QPalette::WindowText, Palette::Navy);
    }
    Label5 = MakeCaption(Panel1, "Label5", {410, kRowTop + RecipeEditing::RowCount * kRowStep, 286, 24}, QString(),
                         Palette::Navy);
    Label5->setAccessibleName(QStringLiteral("题数"));
    Label6 = MakeCaption(Panel1, "Label6", {190, 308, 506, 58}, QString(), Palette::Red);
    Label6->setAccessibleName(QStringLiteral("题不够"));
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    SpeedButton1 = Controls::MakeButton(Panel1, "SpeedButton1", {190, 372, 160, 60}, EditorButton(QStringLiteral("确定")));
    SpeedButton2 = Controls::MakeButton(Panel1, "SpeedButton2", {363, 372, 160, 60}, EditorButton(QStringLiteral("不用组卷")));
    SpeedButton3 = Controls::MakeButton(Panel1, "SpeedButton3", {536, 372, 160, 60}, EditorButton(QStringLiteral("取消")));
    for (FlatButton *button : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4})
        GivePenCursor(button);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm9::ListBox1Click);
    connect(RadioButton2, &QRadioButton::toggled, this, &TForm9::RowEdited);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm9::RowEdited);
    connect(SpeedButton1, &FlatButton::clicked, this, &TForm9::SpeedButton1Click);
    connect(SpeedButton2, &FlatButton::clicked, this, &TForm9::SpeedButton2Click);
    connect(SpeedButton3, &FlatButton::clicked, this, &TForm9::SpeedButton3Click);
    connect(SpeedButton4, &FlatButton::clicked, this, &TForm9::SpeedButton4Click);

    editing_.Open();
    if (parent)
        move(parent->geometry().center() - rect().center());
    else
        WindowPlacement::CentreOnScreen(this);
}

void TForm9::BuildRow(int row)
{
    const auto r = static_cast<std::size_t>(row);
    const int y = kRowTop + row * kRowStep;
    const QString ordinal = QStringLiteral("第%1行").arg(row + 1);
    QComboBox *unit = Controls::Place(new QComboBox(Panel1), Numbered("ComboBox", row + 1), {190, y, 250, 26});
    unit->addItems(UnitItems());
    unit->setAccessibleName(ordinal + QStringLiteral("单元"));
    QComboBox *choice = Controls::Place(new QComboBox(Panel1), Numbered("ComboBox", row + 7), {444, y, 120, 26});
    choice->setAccessibleName(ordinal + QStringLiteral("选择或范围"));
    QComboBox *operation = Controls::Place(new QComboBox(Panel1), Numbered("ComboBox", row + 13), {568, y, 60, 26});
    for (std::string_view item : OperationItems)
        operation->addItem(Utf8(item));
    operation->setAccessibleName(ordinal + QStringLiteral("算法"));
    QSpinBox *count = Controls::Place(new QSpinBox(Panel1), Numbered("SpinEdit", row + 1), {632, y, 64, 26});
    count->setRange(0, Recipe::MaxTotal);
    count->setAccessibleName(ordinal + QStringLiteral("题数"));
    for (QWidget *box : std::initializer_list<QWidget *>{unit, choice, operation, count})
        box->setFont(Fonts::Ui(13));
    UnitBoxes[r] = unit;
    ChoiceBoxes[r] = choice;
    OperationBoxes[r] = operation;
    CountBoxes[r] = count;
    FillChoices(row, 0);
    connect(unit, &QComboBox::currentIndexChanged, this, [this, row](int index) {
        FillChoices(row, index);
        RowEdited();
    });
    connect(choice, &QComboBox::currentIndexChanged, this, &TForm9::RowEdited);
    connect(operation, &QComboBox::currentIndexChanged, this, &TForm9::RowEdited);
    connect(count, &QSpinBox::valueChanged, this, &TForm9::RowEdited);
}

void TForm9::FillChoices(int row, int unitIndex)
{
    const auto r = static_cast<std::size_t>(row);
    QComboBox *choice = ChoiceBoxes[r];
    const QSignalBlocker quiet(choice);
    choice->clear();
    const Preset *preset = unitIndex > 0 ? &Presets()[static_cast<std::size_t>(unitIndex - 1)] : nullptr;
    if (!preset) {
        for (std::string_view item : RangeItems)
            choice->addItem(Utf8(item));
    } else {
        for (std::string_view item : preset->Choices)
            choice->addItem(Utf8(item));
    }
    choice->setEnabled(choice->count() > 0);
    OperationBoxes[r]->setEnabled(!preset);
}

void TForm9::RowEdited()
{
    if (!filling_)
        editing_.Edited(Draft());
}

Recipe TForm9::Draft() const
{
    Recipe draft;
    draft.Name = Edit1->text();
    draft.Order = RadioButton2->isChecked() ? RecipeOrder::Shuffled : RecipeOrder::InOrder;
    for (std::size_t r = 0; r < UnitBoxes.size(); ++r) {
        RecipeRow row;
        const int unit = UnitBoxes[r]->currentIndex();
        if (unit > 0) {
            row.Pick = {Presets()[static_cast<std::size_t>(unit - 1)].Id, std::max(0, ChoiceBoxes[r]->currentIndex())};
        } else {
            row.Range = ChoiceBoxes[r]->currentText().toInt();
            row.Operation = static_cast<OperationChoice>(OperationBoxes[r]->currentIndex());
        }
        row.Count = CountBoxes[r]->value();
        draft.Rows.append(row);
    }
    return draft;
}

void TForm9::reject()
{
    // Escape is 取消; the logic closes the window itself.
    if (closing_)
        QDialog::reject();
    else
        editing_.Cancel();
}

void TForm9::ListBox1Click(int row)
{
    editing_.SavedPicked(row);
}

void TForm9::SpeedButton1Click()
{
    editing_.Use();
}

void TForm9::SpeedButton2Click()
{
    editing_.NoRecipe();
}

void TForm9::SpeedButton3Click()
{
    editing_.Cancel();
}

void TForm9::SpeedButton4Click()
{
    editing_.Save(Edit1->text());
}

void TForm9::showDraft(const Recipe &draft)
{
    filling_ = true;
    Edit1->setText(draft.Name);
    (draft.Order == RecipeOrder::Shuffled ? RadioButton2 : RadioButton1)->setChecked(true);
    for (std::size_t r = 0; r < UnitBoxes.size(); ++r) {
        const RecipeRow row = r < static_cast<std::size_t>(draft.Rows.size()) ? draft.Rows.at(static_cast<qsizetype>(r)) : RecipeRow{};
        const Preset *preset = PresetOf(row.Pick);
        const int unit = preset ? static_cast<int>(preset - Presets().data()) + 1 : 0;
        UnitBoxes[r]->setCurrentIndex(unit);
        FillChoices(static_cast<int>(r), unit);
        ChoiceBoxes[r]->setCurrentIndex(preset ? row.Pick.Choice : ChoiceBoxes[r]->findText(QString::number(row.Range)));
        OperationBoxes[r]->setCurrentIndex(static_cast<int>(row.Operation));
        CountBoxes[r]->setValue(row.Count);
    }
    filling_ = false;
}

void TForm9::showSaved(const QStringList &names, int selected)
{
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(names);
    ListBox1->setCurrentRow(selected);
}

void TForm9::showSummary(const QString &total, const QString &shortOf)
{
    Label5->setText(total);
    Label6->setText(shortOf);
}

void TForm9::showMessage(const QString &text)
{
    Notices::ShowNotice(text);
}

void TForm9::showError(const QString &text)
{
    Notices::ShowErrorBox(text);
}

void TForm9::closeEditor()
{
    closing_ = true;
    if (editing_.Result())
        accept();
    else
        QDialog::reject();
}
