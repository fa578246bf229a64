#pragma once

// A RecordListBox is a list to a screen reader, one row per record line.
// Rows are made only when a reader asks for them, so a list of ten thousand
// lines costs nothing until it is read. Installed by every RecordListBox on
// construction.
namespace AccessibleRecordList {

void Install();

}  // namespace AccessibleRecordList
