#pragma once

#include <QPointF>
#include <QRectF>
#include <optional>

class QPainter;
struct FactGrid;

// A fact set's grid, drawn for the screen and for paper alike: its name, the
// numbers along the sides, each fact's cell in its state's colour with its
// state's mark (for readers who cannot tell the colours apart), and beside
// it the legend with each state's count. Sizes follow the area given.
namespace FactGridPainter {

// The hovered cell is outlined.
void Paint(QPainter &painter, const QRectF &area, const FactGrid &grid, std::optional<int> hovered = std::nullopt);
// Where a cell of grid.cells stands in a grid drawn over area.
QRectF CellRect(const QRectF &area, const FactGrid &grid, int cell);
// The cell under point, as its index in grid.cells.
std::optional<int> CellAt(const QRectF &area, const FactGrid &grid, QPointF point);

}  // namespace FactGridPainter
