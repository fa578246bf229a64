#pragma once

#include <QDate>
#include <QWidget>
#include <optional>

struct GrowthReport;

// The chart of problems, accuracy and speed per day. Resting the mouse on a
// day shows its figures; a screen reader reads every day's in the
// description.
class GrowthChart : public QWidget {
    Q_OBJECT

public:
    explicit GrowthChart(QWidget *parent = nullptr);
    void SetReport(const GrowthReport *report);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    const GrowthReport *report_ = nullptr;
    std::optional<QDate> hovered_;
};

// The calendar of practised days.
class GrowthCalendar : public QWidget {
    Q_OBJECT

public:
    explicit GrowthCalendar(QWidget *parent = nullptr);
    void SetReport(const GrowthReport *report);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const GrowthReport *report_ = nullptr;
};
