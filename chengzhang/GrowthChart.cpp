#include "chengzhang/GrowthChart.h"

#include "chengzhang/GrowthPainter.h"
#include "chengzhang/GrowthReport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

GrowthChart::GrowthChart(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("每天的题数、正确率和速度"));
}

void GrowthChart::SetReport(const GrowthReport *report)
{
    report_ = report;
    hovered_.reset();
    QStringList lines;
    if (report_) {
        for (const DayFigures &day : report_->days)
            lines << Growth::DayLine(day);
    }
    setAccessibleDescription(lines.isEmpty() ? QStringLiteral("这段时间还没有练习。") : lines.join(u'；'));
    update();
}

void GrowthChart::paintEvent(QPaintEvent *)
{
    if (!report_)
        return;
    QPainter painter(this);
    GrowthPainter::PaintChart(painter, rect(), *report_, hovered_);
}

void GrowthChart::mouseMoveEvent(QMouseEvent *event)
{
    if (!report_)
        return;
    const std::optional<QDate> day = GrowthPainter::DayAt(rect(), *report_, event->position().x());
    if (day == hovered_)
        return;
    hovered_ = day;
    update();
    if (!day) {
        QToolTip::hideText();
        return;
    }
    const DayFigures *figures = report_->On(*day);
    const QString tip = figures ? Growth::DayLine(*figures)
                                : QStringLiteral("%1月%2日：没有练习").arg(day->month()).arg(day->day());
    QToolTip::showText(event->globalPosition().toPoint(), tip, this);
}

void GrowthChart::leaveEvent(QEvent *)
{
    hovered_.reset();
    update();
}

GrowthCalendar::GrowthCalendar(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("练习日历"));
}

void GrowthCalendar::SetReport(const GrowthReport *report)
{
    report_ = report;
    int practised = 0;
    if (report_) {
        for (const QDate &day : report_->practised)
            practised += day >= report_->first ? 1 : 0;
    }
    setAccessibleDescription(QStringLiteral("这段时间练习了 %1 天").arg(practised));
    update();
}

void GrowthCalendar::paintEvent(QPaintEvent *)
{
    if (!report_)
        return;
    QPainter painter(this);
    GrowthPainter::PaintCalendar(painter, rect(), *report_);
}
