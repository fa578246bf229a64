#pragma once

#include <QTableView>

// The tips list. A click anywhere in it is reported, also below the last row,
// where it leaves no row selected; so is a double-click.
class TipListView : public QTableView {
    Q_OBJECT

public:
    explicit TipListView(QWidget *parent = nullptr);

    // The selected row, or -1 when none is.
    int selectedRow() const;

signals:
    void mouseClicked();
    void mouseDoubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
