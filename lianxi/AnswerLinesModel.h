#pragma once

#include <QAbstractListModel>
#include <QStringList>

// Shows a list of record lines that lives elsewhere (the drill's tally). The
// owner reports each appended line and each emptying, so a list of thousands
// of lines is shown without being copied and a new line costs the same
// however long the list has grown.
class AnswerLinesModel : public QAbstractListModel {
    Q_OBJECT

public:
    AnswerLinesModel(const QStringList &lines, int rowHeight, QObject *parent = nullptr);

    void lineAppended();
    void linesReset();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const QStringList &lines_;
    int rowHeight_;
    int rows_ = 0;
};
