#pragma once

#include <QDate>
#include <QList>
#include <QRectF>
#include <QString>
#include <optional>

class QPagedPaintDevice;
class QPainter;
struct FactChanges;
struct FactGrid;
struct GrowthReport;
struct NotebookState;

// The 成长记录 drawings, for the screen and for paper alike: sizes follow the
// area they are given, so they stay sharp at any scale and on any printer.
namespace GrowthPainter {

// Problems per day as bars, accuracy and speed per day as lines, with the
// 达标 lines of the preset practised most; the hovered day is marked.
void PaintChart(QPainter &painter, const QRectF &area, const GrowthReport &report,
                std::optional<QDate> hovered = std::nullopt);
// The day whose column holds x in a chart drawn over area.
std::optional<QDate> DayAt(const QRectF &area, const GrowthReport &report, qreal x);

// The period's days week by week, the practised ones filled.
void PaintCalendar(QPainter &painter, const QRectF &area, const GrowthReport &report);

// One A4 page: the child, the dates, the totals, the chart, the calendar,
// the weakest skills, the hardest problems and the 错题本; then the week's
// changes in the facts and the grid of every fact set practised, on pages
// of their own.
bool PaintWeeklyReport(QPagedPaintDevice &device, const GrowthReport &week, const QString &childName,
                       const NotebookState &notebook, const QList<FactGrid> &grids, const FactChanges &changes,
                       int copies = 1);

}  // namespace GrowthPainter
