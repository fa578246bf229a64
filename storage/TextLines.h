#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// Lines of the program's own text files, as the tips store reads them and
// every store writes them.
namespace TextLines {

// Cuts a file's bytes into lines. A line runs up to the first CR, LF or NUL;
// after it one CR and then one LF are skipped, so CR LF, a lone LF and a lone
// CR each end one line, while LF CR ends two. A NUL ends the text. A break at
// the very end adds no empty last line, and nothing is trimmed.
QList<QByteArray> Split(QByteArrayView bytes);

// The same cut, on the text of a file that is not GBK (one that begins with
// a byte-order mark), where the breaks are found once the text is decoded.
QList<QString> Split(QStringView text);

// Every line followed by CR LF; no lines give no bytes at all.
QByteArray Join(const QList<QByteArray> &lines);

}  // namespace TextLines
