#include "chengzhang/TForm8.h"

#include "chengzhang/FactGridView.h"
#include "chengzhang/GrowthChart.h"
#include "chengzhang/GrowthPainter.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"
#include "notices/ErrorText.h"
#include "notices/Notices.h"
#include "storage/HistoryQueries.h"
#include "storage/StoreFile.h"
#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"
#include "widgets/PenCursor.h"
#include "widgets/PrintSheet.h"
#include "widgets/WindowPlacement.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QStandardPaths>
#include <utility>

namespace {

constexpr QSize kClientSize{792, 573};

QLabel *MakeLabel(QWidget *parent, const char *name, const QRect &rect, const QFont &font, const QColor &color)
{
    auto *label = Controls::Place(new QLabel(parent), name, rect);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Controls::SetColor(label, QPalette::WindowText, color);
    return label;
}

FlatButton *MakeCaptioned(QWidget *parent, const char *name, const QRect &rect, const QString &caption,
                          int pixels = 15)
{
    FlatButton *button = Controls::MakeButton(parent, name, rect,
                                              {.caption = caption, .font = Fonts::Ui(pixels, true),
                                               .captionColor = Palette::Navy});
    GivePenCursor(button);
    return button;
}

}  // namespace

TForm8::TForm8(GrowthSources sources, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      sources_(std::move(sources))
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("成长记录"));
    setFixedSize(kClientSize);
    setAutoFillBackground(true);
    Controls::SetColor(this, QPalette::Window, Palette::Cream);

    // A long name takes a smaller face rather than the 熟练图 button's place.
    Label1 = MakeLabel(this, "Label1", {16, 10, 336, 36}, Fonts::KaiTi(26, true), Palette::Navy);
    Label1->setText(QStringLiteral("%1的成长记录").arg(sources_.childName));
    Label1->setFont(Fonts::FittedTo(Label1->font(), Label1->text(), Label1->width(), 14));
    SpeedButton12 = MakeCaptioned(this, "SpeedButton12", {360, 12, 104, 32}, QStringLiteral("熟练图"));
    SpeedButton12->setCheckable(true);
    SpeedButton12->setAccessibleName(QStringLiteral("口算熟练图"));
    SpeedButton1 = MakeCaptioned(this, "SpeedButton1", {472, 12, 96, 32}, QStringLiteral("7 天"));
    SpeedButton2 = MakeCaptioned(this, "SpeedButton2", {576, 12, 96, 32}, QStringLiteral("30 天"));
    SpeedButton3 = MakeCaptioned(this, "SpeedButton3", {680, 12, 96, 32}, QStringLiteral("90 天"));

    Chart1 = Controls::Make<GrowthChart>(this, "Chart1", {16, 52, 560, 268});
    Calendar1 = Controls::Make<GrowthCalendar>(this, "Calendar1", {596, 56, 180, 196});
    Label2 = MakeLabel(this, "Label2", {592, 260, 188, 60}, Fonts::KaiTi(17, true), Palette::Red);
    // The grids take the chart's place and the lists' below it.
    Grid1 = Controls::Make<FactGridView>(this, "Grid1", {16, 52, 580, 460});
    ListBox1 = Controls::Place(new QListWidget(this), "ListBox1", {604, 56, 172, 456});
    ListBox1->setFont(Fonts::Ui(13));
    ListBox1->setWordWrap(true);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setAccessibleName(QStringLiteral("口算的种类"));
    GivePenCursor(ListBox1->viewport());

    Label3 = MakeLabel(this, "Label3", {16, 330, 360, 24}, Fonts::Ui(16, true), Palette::Navy);
    Label3->setText(QStringLiteral("最弱的本领"));
    Label4 = MakeLabel(this, "Label4", {16, 358, 360, 150}, Fonts::Ui(14), Palette::Black);
    Label5 = MakeLabel(this, "Label5", {392, 330, 384, 24}, Fonts::Ui(16, true), Palette::Navy);
    Label5->setText(QStringLiteral("最慢和错得最多的题"));
    for (int row = 0; row < HardestRows; ++row) {
        const int top = 358 + row * 30;
        const QByteArray labelName = "Label" + QByteArray::number(6 + row);
        const QByteArray buttonName = "SpeedButton" + QByteArray::number(6 + row);
        ProblemLabels[row] = MakeLabel(this, labelName.constData(), {392, top + 3, 270, 24}, Fonts::Ui(14),
                                       Palette::Black);
        SendButtons[row] = MakeCaptioned(this, buttonName.constData(), {668, top, 108, 26},
                                         QStringLiteral("放进错题本"), 13);
        connect(SendButtons[row], &FlatButton::clicked, this, [this, row] { SendButtonClick(row); });
    }
    SpeedButton4 = MakeCaptioned(this, "SpeedButton4", {16, 524, 120, 36}, QStringLiteral("打印周报"));
    SpeedButton5 = MakeCaptioned(this, "SpeedButton5", {148, 524, 120, 36}, QStringLiteral("导出表格"));
    SpeedButton11 = MakeCaptioned(this, "SpeedButton11", {656, 524, 120, 36}, QStringLiteral("离开"));
    Label11 = MakeLabel(this, "Label11", {284, 532, 48, 24}, Fonts::Ui(15, true), Palette::Navy);
    Label11->setText(QStringLiteral("只看："));
    ComboBox1 = Controls::Place(new QComboBox(this), "ComboBox1", {332, 528, 312, 30});
    ComboBox1->setFont(Fonts::Ui(14));
    ComboBox1->setAccessibleName(QStringLiteral("只看一种本领"));
    GivePenCursor(ComboBox1);

    for (FlatButton *button : {SpeedButton1, SpeedButton2, SpeedButton3})
        button->setCheckable(true);
    connect(SpeedButton1, &FlatButton::clicked, this, [this] { ShowDays(7); });
    connect(SpeedButton2, &FlatButton::clicked, this, [this] { ShowDays(30); });
    connect(SpeedButton3, &FlatButton::clicked, this, [this] { ShowDays(90); });
    connect(SpeedButton4, &FlatButton::clicked, this, &TForm8::SpeedButton4Click);
    connect(SpeedButton5, &FlatButton::clicked, this, &TForm8::SpeedButton5Click);
    connect(SpeedButton11, &FlatButton::clicked, this, &QDialog::close);
    connect(SpeedButton12, &FlatButton::clicked, this, &TForm8::SpeedButton12Click);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm8::ListBox1Click);
    connect(ComboBox1, &QComboBox::activated, this,
            [this](int index) { ShowSkill(index > 0 ? ComboBox1->itemText(index) : QString()); });

    ShowDays(7);
    WindowPlacement::CentreOnScreen(this);
}

TForm8::~TForm8() = default;

void TForm8::ShowDays(int dayCount)
{
    SpeedButton12->setChecked(false);
    ShowChart(true);
    dayCount_ = dayCount;
    report_ = Growth::Read(*sources_.store, sources_.child, dayCount, sources_.today(), skill_);
    // The period's skills; one chosen stays while it has answers.
    ComboBox1->clear();
    ComboBox1->addItem(QStringLiteral("全部本领"));
    ComboBox1->addItems(report_.skills);
    if (!skill_.isEmpty() && !report_.skills.contains(skill_)) {
        skill_.clear();
        report_ = Growth::Read(*sources_.store, sources_.child, dayCount, sources_.today());
    }
    ComboBox1->setCurrentIndex(skill_.isEmpty() ? 0 : static_cast<int>(report_.skills.indexOf(skill_)) + 1);
    for (auto [button, days] : {std::pair{SpeedButton1, 7}, std::pair{SpeedButton2, 30}, std::pair{SpeedButton3, 90}})
        button->setChecked(days == dayCount);
    Chart1->SetReport(&report_);
    Calendar1->SetReport(&report_);
    Label2->setText(Growth::StreakText(report_.streak));
    QStringList skills;
    for (const SkillFigures &skill : report_.weakest)
        skills << Growth::SkillLine(skill);
    Label4->setText(skills.isEmpty() ? QStringLiteral("这段时间还没有练习。") : skills.join(u'\n'));
    for (int row = 0; row < HardestRows; ++row) {
        const bool shown = row < report_.hardest.size();
        ProblemLabels[row]->setText(shown ? Growth::ProblemLine(report_.hardest.at(row)) : QString());
        ProblemLabels[row]->setVisible(shown);
        SendButtons[row]->setVisible(shown);
        if (!shown)
            continue;
        const QString problem = ProblemLabels[row]->text().section(u'：', 0, 0);
        // A problem whose line cannot be read back says so at its button.
        const bool readable = ProblemOfText(report_.hardest.at(row).problem).has_value();
        SendButtons[row]->setEnabled(readable);
        SendButtons[row]->setAccessibleName(QStringLiteral("把 %1 放进错题本").arg(problem));
        const QString why = readable ? QString() : QStringLiteral("这道题的写法读不出来，放不进错题本");
        SendButtons[row]->setToolTip(why);
        SendButtons[row]->setAccessibleDescription(why);
    }
}

void TForm8::ShowSkill(const QString &skill)
{
    skill_ = skill;
    ShowDays(dayCount_);
}

void TForm8::SendButtonClick(int row)
{
    if (row >= report_.hardest.size())
        return;
    const QString &text = report_.hardest.at(row).problem;
    const std::optional<Problem> problem = ProblemOfText(text);
    if (!problem)
        return;
    const HistoryOrigin origin =
        HistoryQueries::OriginOf(*sources_.store, sources_.child, text).value_or(HistoryOrigin::Practice);
    if (const std::optional<QString> error = sources_.sendToNotebook(*problem, origin)) {
        Notices::ShowErrorBox(*error);
        return;
    }
    SendButtons[row]->setEnabled(false);
    Notices::ShowNotice(QStringLiteral("%1 放进错题本了，明天复习！").arg(ProblemLabels[row]->text().section(u'：', 0, 0)));
}

void TForm8::SpeedButton4Click()
{
    const GrowthReport week = Growth::Read(*sources_.store, sources_.child, 7, sources_.today());
    const NotebookState notebook = sources_.notebookState();
    FactChanges changes;
    const QList<FactGrid> grids = FactGrids::ReadWeek(*sources_.store, sources_.child, week.first, changes);
    const std::optional<PrintFailure> failure =
        PrintPages(this, QStringLiteral("成长周报"), [&](QPagedPaintDevice &device, int copies) {
            return GrowthPainter::PaintWeeklyReport(device, week, sources_.childName, notebook, grids, changes,
                                                    copies);
        });
    if (failure)
        Notices::ShowErrorBox(ErrorText::CannotPrint(failure->target, failure->reason));
}

void TForm8::SpeedButton5Click()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("导出表格"), QDir(folder).filePath(QStringLiteral("%1的成长记录.csv").arg(sources_.childName)),
        QStringLiteral("表格 (*.csv)"));
    if (path.isEmpty())
        return;
    // One table per file: the sessions, and every answer beside them.
    QString stem = path;
    if (stem.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        stem.chop(4);
    const QString sessionsPath = stem + QStringLiteral("-每次练习.csv");
    const QString answersPath = stem + QStringLiteral("-每道题.csv");
    for (const auto &[target, bytes] :
         {std::pair{sessionsPath, HistoryQueries::SessionsCsv(*sources_.store, sources_.child)},
          std::pair{answersPath, HistoryQueries::AnswersCsv(*sources_.store, sources_.child)}}) {
        if (const std::optional<QString> error = StoreFile::WriteWhole(target, bytes)) {
            Notices::ShowErrorBox(ErrorText::CannotCreateFile(target, *error));
            return;
        }
    }
    Notices::ShowNotice(QStringLiteral("导出完成！\n%1\n%2").arg(QDir::toNativeSeparators(sessionsPath),
                                                                QDir::toNativeSeparators(answersPath)));
}

void TForm8::ShowChart(bool shown)
{
    for (QWidget *part : std::initializer_list<QWidget *>{Chart1, Calendar1, Label2, Label3, Label4, Label5})
        part->setVisible(shown);
    // Each row of the hardest problems shows as ShowDays finds it.
    if (!shown) {
        for (int row = 0; row < HardestRows; ++row) {
            ProblemLabels[row]->hide();
            SendButtons[row]->hide();
        }
    }
    Grid1->setVisible(!shown);
    ListBox1->setVisible(!shown);
}

void TForm8::SpeedButton12Click()
{
    if (!SpeedButton12->isChecked()) {
        ShowDays(dayCount_);
        return;
    }
    if (grids_.isEmpty()) {
        grids_ = FactGrids::Read(*sources_.store, sources_.child);
        int shown = 0;
        const QSignalBlocker quiet(ListBox1);
        for (const FactGrid &grid : std::as_const(grids_)) {
            ListBox1->addItem(QStringLiteral("%1\n熟练 %2/%3")
                                  .arg(grid.name)
                                  .arg(grid.Count(FactState::Fluent) + grid.Count(FactState::Solid))
                                  .arg(grid.cells.size()));
            ListBox1->item(ListBox1->count() - 1)->setData(Qt::AccessibleTextRole, grid.Summary());
        }
        // The first set practised, since a parent looks for what the child does.
        for (int row = 0; row < grids_.size(); ++row) {
            if (grids_.at(row).Practised()) {
                shown = row;
                break;
            }
        }
        ListBox1->setCurrentRow(shown);
        Grid1->SetGrid(&grids_.at(shown));
    }
    ShowChart(false);
}

void TForm8::ListBox1Click(int row)
{
    if (row >= 0 && row < grids_.size())
        Grid1->SetGrid(&grids_.at(row));
}
