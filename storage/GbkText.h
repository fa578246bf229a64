#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <optional>

// The program's own text files are GBK (code page 936) without a byte-order
// mark.
namespace GbkText {

// Turns a file's lines into text, one line at a time. Bytes that are not GBK,
// including a lead byte cut off at the end of its line and GBK's private
// user-defined area, show as the replacement character.
class LineDecoder {
public:
    LineDecoder();
    QString operator()(QByteArrayView line);

private:
    QStringDecoder decoder_;
};

// The GBK bytes of text, or nothing when some character of it cannot be
// stored, that is when the bytes would not read back as the same text.
std::optional<QByteArray> Encode(const QString &text);

}  // namespace GbkText
