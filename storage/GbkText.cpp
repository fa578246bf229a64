#include "storage/GbkText.h"

#include <QStringEncoder>

namespace GbkText {
namespace {

constexpr char kCodec[] = "GBK";
constexpr QChar kReplacement{0xFFFD};

bool IsPrivateUse(QChar c)
{
    return c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF;
}

}  // namespace

LineDecoder::LineDecoder() : decoder_(kCodec) {}

QString LineDecoder::operator()(QByteArrayView line)
{
    // The LF flushes a lead byte left open at the end of the line, which
    // would otherwise vanish or run into the next line; it is cut off again.
    QString text = decoder_(line);
    text += decoder_(QByteArrayView("\n", 1));
    text.chop(1);
    for (QChar &c : text) {
        if (IsPrivateUse(c))
            c = kReplacement;
    }
    return text;
}

std::optional<QByteArray> Encode(const QString &text)
{
    QStringEncoder encoder(kCodec);
    QByteArray bytes = encoder(text);
    if (encoder.hasError())
        return std::nullopt;
    if (LineDecoder()(bytes) != text)
        return std::nullopt;
    return bytes;
}

}  // namespace GbkText
