#include "chengzhang/FactGridPainter.h"

#include "chengzhang/FactGrid.h"
#include "chengzhang/GrowthFace.h"
#include "widgets/Palette.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>

namespace {

struct StateLook {
    QColor fill;
    QColor mark;
};

// 未学 grey, 不会 red, 学习中 yellow, 熟练 green, 牢固 dark green; each mark
// dark or light enough to read on its colour.
StateLook LookOf(FactState state)
{
    static const std::array<StateLook, 5> kLooks{{{QColor(215, 215, 215), QColor(120, 120, 120)},
                                                  {QColor(200, 40, 40), Palette::White},
                                                  {QColor(250, 215, 70), Palette::Black},
                                                  {QColor(120, 200, 95), Palette::Black},
                                                  {QColor(25, 105, 45), Palette::White}}};
    return kLooks.at(static_cast<std::size_t>(state));
}

constexpr std::array kStates{FactState::NotLearnt, FactState::Unknown, FactState::Learning, FactState::Fluent,
                             FactState::Solid};

// The heads take this many cells' room.
constexpr qreal kHeadCells = 1.2;

struct GridFrame {
    QRectF title;
    QPointF origin;  // the first cell's top left
    qreal cell = 0;
    QRectF legend;
    qreal legendRow = 0;
};

GridFrame FrameOf(const QRectF &area, const FactGrid &grid)
{
    GridFrame frame;
    const qreal titleHeight = std::min(area.height() * 0.09, area.width() * 0.05);
    frame.title = QRectF(area.left(), area.top(), area.width(), titleHeight);
    frame.legendRow = titleHeight;
    const qreal legendWidth = titleHeight * 4.6;
    const QRectF room(area.left(), area.top() + titleHeight * 1.25, area.width() - legendWidth,
                      area.height() - titleHeight * 1.25);
    const auto columns = static_cast<qreal>(std::max<qsizetype>(1, grid.columnLabels.size()));
    const auto rows = static_cast<qreal>(std::max<qsizetype>(1, grid.rowLabels.size()));
    frame.cell = std::min(room.width() / (columns + kHeadCells), room.height() / (rows + kHeadCells));
    frame.origin = room.topLeft() + QPointF(frame.cell * kHeadCells, frame.cell * kHeadCells);
    // The legend stands beside the grid, level with its first row.
    const qreal gridRight = frame.origin.x() + frame.cell * columns;
    frame.legend = QRectF(gridRight + titleHeight * 0.6, frame.origin.y(), legendWidth - titleHeight * 0.6,
                          frame.legendRow * static_cast<qreal>(kStates.size()));
    return frame;
}

QRectF CellOf(const GridFrame &frame, const GridCell &cell)
{
    return {frame.origin + QPointF(cell.column * frame.cell, cell.row * frame.cell), QSizeF(frame.cell, frame.cell)};
}

// A cell's colour and mark, a little inside its place so neighbours stay
// apart.
void PaintCell(QPainter &painter, const QRectF &place, FactState state)
{
    const StateLook look = LookOf(state);
    const qreal inset = place.width() * 0.06;
    const QRectF box = place.adjusted(inset, inset, -inset, -inset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.fill);
    painter.drawRoundedRect(box, inset, inset);
    painter.setFont(GrowthFace(painter, place.height() * 0.6, true));
    painter.setPen(look.mark);
    painter.drawText(box, Qt::AlignCenter, FactStateMark(state));
}

// The name, and smaller beside it what the sides count, both within the line.
void PaintTitle(QPainter &painter, const GridFrame &frame, const FactGrid &grid)
{
    const QRectF &line = frame.title;
    const QString sides = QStringLiteral("（左：%1，上：%2）").arg(grid.rowTitle, grid.columnTitle);
    QFont name = GrowthFace(painter, line.height() * 0.8, true);
    QFont small = GrowthFace(painter, line.height() * 0.6);
    const qreal wanted = QFontMetricsF(name, painter.device()).horizontalAdvance(grid.name) +
                         QFontMetricsF(small, painter.device()).horizontalAdvance(sides);
    if (wanted > line.width()) {
        const qreal shrink = line.width() / wanted;
        name = GrowthFace(painter, std::floor(line.height() * 0.8 * shrink), true);
        small = GrowthFace(painter, std::floor(line.height() * 0.6 * shrink));
    }
    painter.setPen(Palette::Navy);
    painter.setFont(name);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, grid.name);
    const qreal nameWidth = QFontMetricsF(name, painter.device()).horizontalAdvance(grid.name);
    painter.setFont(small);
    painter.setPen(Palette::Black);
    painter.drawText(line.adjusted(nameWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, sides);
}

void PaintHeads(QPainter &painter, const GridFrame &frame, const FactGrid &grid)
{
    painter.setFont(GrowthFace(painter, frame.cell * 0.5));
    painter.setPen(Palette::Navy);
    const qreal head = frame.cell * kHeadCells;
    for (qsizetype column = 0; column < grid.columnLabels.size(); ++column) {
        const QRectF box(frame.origin.x() + static_cast<qreal>(column) * frame.cell, frame.origin.y() - head,
                         frame.cell, head);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignBottom, grid.columnLabels.at(column));
    }
    for (qsizetype row = 0; row < grid.rowLabels.size(); ++row) {
        const QRectF box(frame.origin.x() - head, frame.origin.y() + static_cast<qreal>(row) * frame.cell,
                         head - frame.cell * 0.15, frame.cell);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, grid.rowLabels.at(row));
    }
}

// Each state's swatch with its mark, its name and how many facts are in it.
void PaintLegend(QPainter &painter, const GridFrame &frame, const FactGrid &grid)
{
    const qreal row = frame.legendRow;
    const QFont font = GrowthFace(painter, row * 0.7);
    for (std::size_t k = 0; k < kStates.size(); ++k) {
        const FactState state = kStates.at(k);
        const qreal top = frame.legend.top() + row * static_cast<qreal>(k);
        PaintCell(painter, QRectF(frame.legend.left(), top, row, row), state);
        painter.setFont(font);
        painter.setPen(Palette::Black);
        painter.drawText(QRectF(frame.legend.left() + row * 1.25, top, frame.legend.width() - row * 1.25, row),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1 %2").arg(FactStateName(state)).arg(grid.Count(state)));
    }
}

}  // namespace

namespace FactGridPainter {

void Paint(QPainter &painter, const QRectF &area, const FactGrid &grid, std::optional<int> hovered)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const GridFrame frame = FrameOf(area, grid);
    PaintTitle(painter, frame, grid);
    PaintHeads(painter, frame, grid);
    for (const GridCell &cell : grid.cells)
        PaintCell(painter, CellOf(frame, cell), cell.state);
    if (hovered && *hovered >= 0 && *hovered < grid.cells.size()) {
        painter.setPen(QPen(Palette::Navy, std::max<qreal>(1.5, frame.cell * 0.1)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(CellOf(frame, grid.cells.at(*hovered)));
    }
    PaintLegend(painter, frame, grid);
    painter.restore();
}

QRectF CellRect(const QRectF &area, const FactGrid &grid, int cell)
{
    return CellOf(FrameOf(area, grid), grid.cells.at(cell));
}

std::optional<int> CellAt(const QRectF &area, const FactGrid &grid, QPointF point)
{
    const GridFrame frame = FrameOf(area, grid);
    for (qsizetype k = 0; k < grid.cells.size(); ++k) {
        if (CellOf(frame, grid.cells.at(k)).contains(point))
            return static_cast<int>(k);
    }
    return std::nullopt;
}

}  // namespace FactGridPainter
