#include "chengzhang/GrowthPainter.h"

#include "chengzhang/FactGrid.h"
#include "chengzhang/FactGridPainter.h"
#include "chengzhang/GrowthFace.h"
#include "chengzhang/GrowthReport.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace {

const QColor kBar{166, 202, 240};
const QColor kBarEdge{0, 0, 128};
const QColor kAccuracy{0, 128, 0};
const QColor kSpeed{200, 0, 120};
const QColor kGrid{200, 200, 200};
constexpr double kPaperMarginMm = 15;
const QString kStatesExplained = QStringLiteral(
    "熟练：最近三次都做对了，每次都够快，而且不在同一天；牢固：熟练以后过了一周多，又做得又对又快。");

struct ChartFrame {
    QRectF plot;
    int dayCount;
    qreal column;
};

ChartFrame FrameOf(const QRectF &area, const GrowthReport &report)
{
    const qreal unit = area.height() / 20.0;
    // Room on the right for two scales: % beside the plot, 题/分 outside it.
    const QRectF plot = area.adjusted(unit * 2.6, unit * 3.2, -unit * 5.2, -unit * 1.8);
    const int dayCount = std::max<int>(1, static_cast<int>(report.first.daysTo(report.last)) + 1);
    return {plot, dayCount, plot.width() / dayCount};
}

QFont SizedFont(const QPainter &painter, const QRectF &area, double share, bool bold = false)
{
    return GrowthFace(painter, area.height() * share, bold);
}

// A round top for the axis: 10, 20, 50, 100, ...
double NiceCeiling(double value)
{
    double step = 1;
    while (step * 10 < value)
        step *= 10;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (step * factor >= value)
            return step * factor;
    }
    return step * 10;
}

void PolyLine(QPainter &painter, const QList<QPointF> &points, const QColor &color, qreal width)
{
    if (points.isEmpty())
        return;
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points.constData(), static_cast<int>(points.size()));
    painter.setBrush(color);
    for (const QPointF &point : points)
        painter.drawEllipse(point, width * 1.4, width * 1.4);
}

// A 达标 line with its label just above or below it, at the right-most place
// along it where the label covers no day's bar or point nor another label.
void TargetLine(QPainter &painter, const ChartFrame &frame, qreal y, const QColor &color, qreal width,
                const QString &label, const QFont &font, const QList<QRectF> &taken, QList<QRectF> &labels)
{
    const QRectF &plot = frame.plot;
    painter.setPen(QPen(color, width, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QSizeF size(metrics.horizontalAdvance(label) + width * 4, metrics.height());
    auto free = [&](const QRectF &box) {
        const auto covers = [&box](const QRectF &other) { return box.intersects(other); };
        return plot.contains(box) && std::none_of(taken.begin(), taken.end(), covers) &&
               std::none_of(labels.begin(), labels.end(), covers);
    };
    std::optional<QRectF> place;
    for (int k = frame.dayCount; k > 0 && !place; --k) {
        const qreal right = std::min(plot.right(), plot.left() + frame.column * k);
        for (const qreal top : {y - size.height() - width, y + width}) {
            const QRectF box(QPointF(right - size.width(), top), size);
            if (free(box)) {
                place = box;
                break;
            }
        }
    }
    // Where every place is taken the label stands above the plot's right end.
    const QRectF box = place.value_or(QRectF(QPointF(plot.right() - size.width(), plot.top() - size.height()), size));
    labels.append(box);
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, label);
}

}  // namespace

namespace GrowthPainter {

std::optional<QDate> DayAt(const QRectF &area, const GrowthReport &report, qreal x)
{
    const ChartFrame frame = FrameOf(area, report);
    if (x < frame.plot.left() || x >= frame.plot.right())
        return std::nullopt;
    return report.first.addDays(static_cast<qint64>((x - frame.plot.left()) / frame.column));
}

void PaintChart(QPainter &painter, const QRectF &area, const GrowthReport &report, std::optional<QDate> hovered)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const ChartFrame frame = FrameOf(area, report);
    const QRectF &plot = frame.plot;
    const qreal line = std::max<qreal>(1.0, area.height() / 180.0);
    const QFont small = SizedFont(painter, area, 0.045);

    painter.fillRect(area, Palette::White);
    int most = 0;
    double fastest = 0;
    for (const DayFigures &day : report.days) {
        most = std::max(most, day.total);
        fastest = std::max(fastest, day.PerMinute().value_or(0));
    }
    if (report.target && report.target->perMinute)
        fastest = std::max(fastest, *report.target->perMinute);
    const double countTop = NiceCeiling(std::max(most, 10));
    const double speedTop = NiceCeiling(std::max(fastest, 10.0));

    // Grid and the three scales, each in its line's colour and with its unit
    // on top: problems on the left, % and then 题/分 on the right.
    painter.setFont(small);
    const qreal gap = line * 3;
    const qreal percentWidth = QFontMetricsF(small, painter.device()).horizontalAdvance(QStringLiteral("100%"));
    const qreal speedLeft = plot.right() + gap * 2 + percentWidth;
    const auto scale = [&](qreal left, qreal right, int flags, const QColor &color, const QString &unit,
                           const std::function<QString(int)> &label) {
        const qreal height = small.pixelSize() * 1.4;
        painter.setPen(color);
        for (int k = 0; k <= 4; ++k) {
            const qreal y = plot.bottom() - plot.height() * k / 4;
            painter.drawText(QRectF(left, y - height / 2, right - left, height), flags | Qt::AlignVCenter, label(k));
        }
        painter.drawText(QRectF(left, plot.top() - height * 1.6, right - left, height), flags | Qt::AlignVCenter,
                         unit);
    };
    for (int k = 0; k <= 4; ++k) {
        const qreal y = plot.bottom() - plot.height() * k / 4;
        painter.setPen(QPen(kGrid, line * 0.6));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    scale(area.left(), plot.left() - gap, Qt::AlignRight, kBarEdge, QStringLiteral("题"),
          [countTop](int k) { return QString::number(countTop * k / 4); });
    scale(plot.right() + gap, speedLeft, Qt::AlignLeft, kAccuracy, QStringLiteral("%"),
          [](int k) { return QStringLiteral("%1%").arg(25 * k); });
    scale(speedLeft, area.right(), Qt::AlignLeft, kSpeed, QStringLiteral("题/分"),
          [speedTop](int k) { return QString::number(speedTop * k / 4); });

    if (hovered) {
        const qreal x = plot.left() + frame.column * static_cast<qreal>(report.first.daysTo(*hovered));
        painter.fillRect(QRectF(x, plot.top(), frame.column, plot.height()), QColor(255, 251, 200));
    }

    QList<QPointF> accuracy;
    QList<QPointF> speed;
    // What a 达标 label must leave in sight.
    QList<QRectF> taken;
    for (const DayFigures &day : report.days) {
        const qreal x = plot.left() + frame.column * static_cast<qreal>(report.first.daysTo(day.day));
        const qreal barHeight = plot.height() * day.total / countTop;
        const QRectF bar(x + frame.column * 0.15, plot.bottom() - barHeight, frame.column * 0.7, barHeight);
        painter.setPen(QPen(kBarEdge, line * 0.6));
        painter.setBrush(kBar);
        painter.drawRect(bar);
        taken.append(bar);
        const qreal middle = x + frame.column / 2;
        accuracy.append({middle, plot.bottom() - plot.height() * day.Accuracy() / 100.0});
        if (const std::optional<double> perMinute = day.PerMinute())
            speed.append({middle, plot.bottom() - plot.height() * *perMinute / speedTop});
    }
    PolyLine(painter, accuracy, kAccuracy, line * 1.5);
    PolyLine(painter, speed, kSpeed, line * 1.5);

    if (report.target) {
        for (const QPointF &point : accuracy + speed) {
            const qreal reach = line * 4;
            taken.append(QRectF(point - QPointF(reach, reach), QSizeF(reach * 2, reach * 2)));
        }
        QList<QRectF> labels;
        if (report.target->accuracy)
            TargetLine(painter, frame, plot.bottom() - plot.height() * *report.target->accuracy / 100.0, kAccuracy,
                       line, QStringLiteral("达标 %1%").arg(*report.target->accuracy), small, taken, labels);
        if (report.target->perMinute)
            TargetLine(painter, frame, plot.bottom() - plot.height() * *report.target->perMinute / speedTop, kSpeed,
                       line, QStringLiteral("%1 达标 %2 题/分").arg(report.target->name).arg(*report.target->perMinute),
                       small, taken, labels);
    }

    // Dates under the columns, as many as fit.
    painter.setPen(Palette::Black);
    painter.setFont(small);
    const int every = std::max(1, static_cast<int>(std::ceil(small.pixelSize() * 3.2 / frame.column)));
    for (int k = 0; k < frame.dayCount; k += every) {
        const QDate day = report.first.addDays(k);
        const qreal x = plot.left() + frame.column * k;
        painter.drawText(QRectF(x - frame.column * every, plot.bottom() + line * 2, frame.column * (2 * every + 1),
                                small.pixelSize() * 1.4),
                         Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("%1/%2").arg(day.month()).arg(day.day()));
    }

    // The legend above the plot.
    const QFont legend = SizedFont(painter, area, 0.055);
    painter.setFont(legend);
    const qreal y = area.top() + legend.pixelSize() * 0.3;
    qreal x = plot.left();
    const struct {
        QColor color;
        QString text;
    } keys[] = {{kBar, QStringLiteral("题数")},
                {kAccuracy, QStringLiteral("正确率")},
                {kSpeed, QStringLiteral("速度（题/分）")}};
    for (const auto &key : keys) {
        painter.fillRect(QRectF(x, y + legend.pixelSize() * 0.25, legend.pixelSize(), legend.pixelSize() * 0.7),
                         key.color);
        x += legend.pixelSize() * 1.3;
        painter.setPen(Palette::Black);
        const qreal width = QFontMetricsF(legend, painter.device()).horizontalAdvance(key.text);
        painter.drawText(QPointF(x, y + legend.pixelSize()), key.text);
        x += width + legend.pixelSize() * 1.2;
    }
    painter.restore();
}

void PaintCalendar(QPainter &painter, const QRectF &area, const GrowthReport &report)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QDate start = report.first.addDays(1 - report.first.dayOfWeek());
    const int weeks = static_cast<int>(start.daysTo(report.last) / 7) + 1;
    const qreal header = area.height() * 0.12;
    const qreal cell = std::min(area.width() / 7, (area.height() - header) / std::max(weeks, 5));
    painter.setFont(GrowthFace(painter, std::floor(cell * 0.42)));
    const QString names = QStringLiteral("一二三四五六日");
    for (int column = 0; column < 7; ++column) {
        painter.setPen(Palette::Navy);
        painter.drawText(QRectF(area.left() + column * cell, area.top(), cell, header), Qt::AlignCenter,
                         names.mid(column, 1));
    }
    for (QDate day = start; day <= report.last; day = day.addDays(1)) {
        const int index = static_cast<int>(start.daysTo(day));
        const QRectF box(area.left() + (index % 7) * cell, area.top() + header + (index / 7) * cell, cell, cell);
        const QRectF dot = box.adjusted(cell * 0.08, cell * 0.08, -cell * 0.08, -cell * 0.08);
        const bool inPeriod = day >= report.first;
        const bool practised = inPeriod && report.practised.contains(day);
        painter.setPen(QPen(inPeriod ? kGrid : Qt::transparent, 1));
        painter.setBrush(practised ? QColor(120, 200, 90) : Qt::transparent);
        painter.drawEllipse(dot);
        if (!inPeriod)
            continue;
        painter.setPen(practised ? Palette::White : (day == report.last ? Palette::Red : Palette::Black));
        painter.drawText(box, Qt::AlignCenter, QString::number(day.day()));
    }
    painter.restore();
}

bool PaintWeeklyReport(QPagedPaintDevice &device, const GrowthReport &week, const QString &childName,
                       const NotebookState &notebook, const QList<FactGrid> &grids, const FactChanges &changes,
                       int copies)
{
    // Home printers leave the outer 4 or 5 mm blank.
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPaperMarginMm, kPaperMarginMm, kPaperMarginMm, kPaperMarginMm),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Work in tenths of a millimetre on the page's printable area.
    const QRectF page = QRectF(QPointF(0, 0), device.pageLayout().paintRect(QPageLayout::Millimeter).size() * 10);
    painter.setWindow(page.toRect());
    painter.setViewport(0, 0, device.width(), device.height());

    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !device.newPage())
            return false;
        // Writes line from the top of box, wrapped to its width, and gives the
        // height it took: at least the box's, more for a line that wraps.
        auto text = [&painter](const QRectF &box, const QString &line, double millimetres, bool bold = false,
                               const QColor &color = Palette::Black) {
            QFont font = Fonts::Print(12, bold);
            font.setPixelSize(static_cast<int>(millimetres * 10));
            painter.setFont(font);
            painter.setPen(color);
            const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
            const QRectF needed = painter.boundingRect(QRectF(box.topLeft(), QSizeF(box.width(), 0)), flags, line);
            painter.drawText(QRectF(box.topLeft(), QSizeF(box.width(), std::max(box.height(), needed.height()))),
                             flags, line);
            return std::max(box.height(), needed.height());
        };
        const qreal width = page.width();
        qreal y = 0;
        y += text({0, y, width, 90}, QStringLiteral("%1的成长周报").arg(childName), 7, true, Palette::Navy);
        y += text({0, y, width, 70},
                  QStringLiteral("%1 至 %2").arg(week.first.toString(QStringLiteral("yyyy年M月d日")),
                                                week.last.toString(QStringLiteral("yyyy年M月d日"))),
                  4);
        const int practisedDays = static_cast<int>(week.days.size());
        y += text({0, y, width, 130},
                  QStringLiteral("这一周练习了 %1 天，一共 %2 题，做对 %3 题，正确率 %4%，速度 %5。%6")
                      .arg(practisedDays)
                      .arg(week.totals.total)
                      .arg(week.totals.right)
                      .arg(std::lround(week.totals.Accuracy()))
                      .arg(Growth::PerMinuteText(week.totals), Growth::StreakText(week.streak)),
                  4.2);
        PaintChart(painter, QRectF(0, y, width, width * 0.5), week);
        y += width * 0.5 + 40;
        PaintCalendar(painter, QRectF(0, y, width * 0.38, width * 0.3), week);
        const qreal right = width * 0.44;
        const qreal columnWidth = width - right;
        qreal ry = y;
        ry += text({right, ry, columnWidth, 65}, QStringLiteral("最弱的本领"), 4.5, true, Palette::Navy);
        for (const SkillFigures &skill : week.weakest)
            ry += text({right, ry, columnWidth, 55}, Growth::SkillLine(skill), 3.6);
        if (week.weakest.isEmpty())
            ry += text({right, ry, columnWidth, 55}, QStringLiteral("这一周还没有练习。"), 3.6);
        ry += 20;
        ry += text({right, ry, columnWidth, 65}, QStringLiteral("错题本"), 4.5, true, Palette::Navy);
        ry += text({right, ry, columnWidth, 55},
                   QStringLiteral("还没消灭 %1 道，今天要复习 %2 道，已消灭 %3 道。")
                       .arg(notebook.open)
                       .arg(notebook.dueToday)
                       .arg(notebook.conquered),
                   3.6);
        y = std::max(ry + 40, y + width * 0.3 + 40);
        y += text({0, y, width, 65}, QStringLiteral("最慢和错得最多的题"), 4.5, true, Palette::Navy);
        for (const ProblemFigures &problem : week.hardest)
            y += text({0, y, width, 55}, Growth::ProblemLine(problem), 3.8);

        // The facts on pages of their own: the week's changes, then the
        // grid of every set practised, two abreast.
        if (!device.newPage())
            return false;
        y = 0;
        y += text({0, y, width, 90}, QStringLiteral("%1的口算熟练图").arg(childName), 7, true, Palette::Navy);
        y += text({0, y, width, 60}, FactGrids::BecameFluentLine(changes), 4);
        y += text({0, y, width, 60}, FactGrids::ForgottenLine(changes), 4);
        y += text({0, y, width, 60}, kStatesExplained, 3.4, false, Palette::Navy) + 30;
        const qreal gap = 60;
        const QSizeF box((width - gap) / 2, (width - gap) / 2 * 0.78);
        int placed = 0;
        for (const FactGrid &grid : grids) {
            if (!grid.Practised())
                continue;
            const int column = placed++ % 2;
            if (column == 0 && placed > 1)
                y += box.height() + gap;
            if (column == 0 && y + box.height() > page.height()) {
                if (!device.newPage())
                    return false;
                y = 0;
            }
            FactGridPainter::Paint(painter, QRectF(QPointF(column * (box.width() + gap), y), box), grid);
        }
        if (placed == 0)
            text({0, y, width, 60}, QStringLiteral("还没有做过这些口算。"), 4);
    }
    return painter.end();
}

}  // namespace GrowthPainter
