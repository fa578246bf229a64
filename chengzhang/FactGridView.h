#pragma once

#include <QWidget>
#include <optional>

struct FactGrid;

// One fact set's grid on screen. Resting the mouse on a cell shows the fact,
// its state and its last answers with their seconds; to a screen reader the
// grid is a list with one item per fact saying the same.
class FactGridView : public QWidget {
    Q_OBJECT

public:
    explicit FactGridView(QWidget *parent = nullptr);
    void SetGrid(const FactGrid *grid);
    const FactGrid *Grid() const { return grid_; }

    // A cell's place in the widget.
    QRect CellRect(int cell) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    const FactGrid *grid_ = nullptr;
    std::optional<int> hovered_;
};
