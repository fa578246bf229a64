#include "jiqiao/TipLines.h"

namespace TipLines {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kNul = '\0';

bool EndsLine(char byte)
{
    return byte == kCr || byte == kLf || byte == kNul;
}

}  // namespace

QList<QByteArray> Split(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    const qsizetype size = bytes.size();
    qsizetype position = 0;
    // A NUL where a line would begin ends the text just as its end would.
    while (position < size && bytes[position] != kNul) {
        qsizetype end = position;
        while (end < size && !EndsLine(bytes[end]))
            ++end;
        lines.append(bytes.sliced(position, end - position).toByteArray());
        position = end;
        if (position < size && bytes[position] == kCr)
            ++position;
        if (position < size && bytes[position] == kLf)
            ++position;
    }
    return lines;
}

QByteArray Join(const QList<QByteArray> &lines)
{
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (const QByteArray &line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace TipLines
