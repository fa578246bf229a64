#pragma once

#include <QAbstractScrollArea>
#include <QColor>
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

    // Beside each line, its right answer in color: "4+5=8 → 9". The answers
    // live elsewhere too, one per line, in the lines' order; none takes
    // them away.
    void setCorrections(const QStringList *rightAnswers, const QColor &color);

    void lineAppended();
    void linesReset();

    int count() const { return rows_; }
    QString line(int row) const;
    // The right answer shown beside a row, or nothing.
    QString correction(int row) const;
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
    const QStringList *corrections_ = nullptr;
    QColor correctionColor_;
    int rowHeight_;
    int rows_ = 0;
    int current_ = -1;
};
