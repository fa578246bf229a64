#pragma once

#include "storage/DataFiles.h"

#include <QString>
#include <functional>

class DrillTally;

// Today's date in the user's short date format, as it goes into the name of
// a record file. A path separator in the format would name a folder that does
// not exist, so each one becomes a hyphen: 2024/3/7 is written 2024-3-7.
QString RecordDateText();

// Writes the right lines to root + folders.right + date + ".txt" and the wrong
// lines likewise, one line per answer, each ending in CR LF; a file of the day
// already there is replaced whole. dateText is asked afresh for each file.
// Returns an empty text when both files were written, otherwise the error
// text of the first file that could not be written; a file written before the
// failure stays written, and a failed one keeps its earlier content.
QString SaveDrillRecords(const QString &root, const RecordFolders &folders, const DrillTally &tally,
                         const std::function<QString()> &dateText = RecordDateText);
