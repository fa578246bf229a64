#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The one way the program writes a table for WPS and Excel: UTF-8 with a
// byte-order mark (so the Chinese reads right), CR LF line ends, a field
// holding a comma, a quote, CR or LF in quotes, and a cell that a
// spreadsheet would take for a formula (beginning with = + - @, tab or CR)
// behind an apostrophe, so that text typed by a child is never run. One
// table per file.
namespace CsvTable {

QByteArray Field(const QString &text);
QByteArray Write(const QStringList &header, const QList<QStringList> &rows);

}  // namespace CsvTable
