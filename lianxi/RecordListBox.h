#pragma once

#include <QAbstractScrollArea>
#include <QStringList>

// A list box over record lines that live elsewhere (the drill's tally), in
// rows of one fixed height. The owner reports each appended line and each
// emptying; a new line costs the same however long the list has grown, and
// only the rows in sight are ever drawn, so lists of thousands of lines open
// and grow at once. A click selects a row.
class RecordListBox : public QAbstractScrollArea {
    Q_OBJECT

public:
    RecordListBox(const QStringList &lines, int rowHeight, QWidget *parent = nullptr);

    void lineAppended();
    void linesReset();

    int count() const { return rows_; }
    QString line(int row) const;
    int currentRow() const { return current_; }
    int topRow() const;
    // In the viewport's pixels: a row's rectangle, in sight or not, and the
    // row at a height, -1 below the last one.
    QRect rowRect(int row) const;
    int rowAt(int y) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int rowsInSight() const;
    void updateScrollRange();

    const QStringList &lines_;
    int rowHeight_;
    int rows_ = 0;
    int current_ = -1;
};
