#pragma once

#include "chengzhang/FactGrid.h"
#include "chengzhang/GrowthReport.h"
#include "storage/HistoryRows.h"

#include <QDialog>
#include <array>
#include <functional>

class FactGridView;
class FlatButton;
class GrowthCalendar;
class GrowthChart;
class HistoryStore;
class QComboBox;
class QLabel;
class QListWidget;
struct Problem;

// What the 成长记录 window reads and where it sends things: the child's
// history, the child's 错题本 (through the shell), and today.
struct GrowthSources {
    HistoryStore *store = nullptr;
    int child = 1;
    QString childName;
    std::function<NotebookState()> notebookState;
    // Adds a problem to the child's 错题本 as missed where it was (练习,
    // 竞技 or 考试); the error text when it failed.
    std::function<std::optional<QString>(const Problem &, HistoryOrigin)> sendToNotebook;
    std::function<QDate()> today;
};

// 成长记录: one child's practice over the last 7, 30 or 90 days, and in
// place of the chart how well she knows each fact, set by set.
class TForm8 : public QDialog {
    Q_OBJECT

public:
    static constexpr int HardestRows = 5;

    explicit TForm8(GrowthSources sources, QWidget *parent = nullptr);
    ~TForm8() override;

    const GrowthReport &Report() const { return report_; }

    QLabel *Label1;  // the child's name
    FlatButton *SpeedButton1;  // 7 天
    FlatButton *SpeedButton2;  // 30 天
    FlatButton *SpeedButton3;  // 90 天
    GrowthChart *Chart1;
    GrowthCalendar *Calendar1;
    QLabel *Label2;  // the streak
    QLabel *Label3;
    QLabel *Label4;  // the weakest skills
    QLabel *Label5;
    std::array<QLabel *, HardestRows> ProblemLabels;  // Label6 ... Label10
    std::array<FlatButton *, HardestRows> SendButtons;  // SpeedButton6 ... SpeedButton10
    FlatButton *SpeedButton4;  // 打印周报
    FlatButton *SpeedButton5;  // 导出表格
    FlatButton *SpeedButton11;  // 离开
    QLabel *Label11;            // 只看
    QComboBox *ComboBox1;       // every skill, or one
    FlatButton *SpeedButton12;  // 熟练图: the fact grids in place of the chart and the lists
    FactGridView *Grid1;
    QListWidget *ListBox1;  // the fact sets

    void ShowDays(int dayCount);
    // One skill alone, or every one for an empty skill.
    void ShowSkill(const QString &skill);
    void SendButtonClick(int row);
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton12Click();
    void ListBox1Click(int row);

private:
    // The chart, the calendar and the lists, or the fact grids in their place.
    void ShowChart(bool shown);

    GrowthSources sources_;
    GrowthReport report_;
    int dayCount_ = 7;
    QString skill_;
    // Read when first shown: the history does not change while the window is open.
    QList<FactGrid> grids_;
};
