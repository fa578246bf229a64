#pragma once

#include "storage/DataFiles.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

class DrillTally;

// Today's date in the user's short date format, as it goes into the name of
// a record file. A path separator in the format would name a folder that does
// not exist, so each one becomes a hyphen: 2024/3/7 is written 2024-3-7.
QString RecordDateText();

// The day's record files as one drill keeps them: root + folders.right +
// date + ".txt" for the right answers and the wrong ones likewise, one line
// per answer in GBK, each ending in CR LF; a line GBK cannot hold is an
// error, never written changed. Several drills share a day's file, so
// each save reads it afresh under its lock: lines other drills saved, in
// this copy of the program or another, are kept, and this drill's own lines
// of an earlier save take their new form where they stand, so that saving
// twice never doubles a line. A file or folder that is a link is refused, a
// file that cannot be read is never written over, and a failed write leaves
// the file as it was.
class DrillRecords {
public:
    // root is the folder of the user's files, ending in a separator.
    explicit DrillRecords(QString root);

    // Saves the tally's lines into the files of dateText (read once by the
    // caller, so that both files are of one day). Returns an empty text when
    // both were written, otherwise the error text of the first that could not
    // be; one written before the failure stays written.
    QString Save(const RecordFolders &folders, const DrillTally &tally, const QString &dateText);

    // A new drill begins: its lines go beside those saved so far.
    void StartNewDrill() { saved_.clear(); }

private:
    // This drill's lines in a file, where they began when last saved.
    struct Saved {
        qsizetype at = 0;
        QList<QByteArray> lines;
    };

    QString SaveFile(const QString &path, QList<QByteArray> lines);

    QString root_;
    QHash<QString, Saved> saved_;
};
