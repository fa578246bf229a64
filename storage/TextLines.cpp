#include "storage/TextLines.h"

namespace TextLines {
namespace {

// Both chars and QChars compare with these UTF-16 code units.
constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kNul = u'\0';

template <typename Char>
bool EndsLine(Char c)
{
    return c == kCr || c == kLf || c == kNul;
}

QByteArray Owned(QByteArrayView line)
{
    return line.toByteArray();
}

QString Owned(QStringView line)
{
    return line.toString();
}

template <typename View>
auto SplitLines(View text)
{
    QList<decltype(Owned(text))> lines;
    const qsizetype size = text.size();
    qsizetype position = 0;
    // A NUL where a line would begin ends the text just as its end would.
    while (position < size && text[position] != kNul) {
        qsizetype end = position;
        while (end < size && !EndsLine(text[end]))
            ++end;
        lines.append(Owned(text.sliced(position, end - position)));
        position = end;
        if (position < size && text[position] == kCr)
            ++position;
        if (position < size && text[position] == kLf)
            ++position;
    }
    return lines;
}

}  // namespace

QList<QByteArray> Split(QByteArrayView bytes)
{
    return SplitLines(bytes);
}

QList<QString> Split(QStringView text)
{
    return SplitLines(text);
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

}  // namespace TextLines
