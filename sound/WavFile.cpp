#include "sound/WavFile.h"

#include <algorithm>

namespace WavFile {
namespace {

constexpr quint32 kPcmTag = 1;
constexpr quint32 kFloatTag = 3;
constexpr quint32 kExtensibleTag = 0xFFFE;
constexpr int kMaxChannels = 8;
// The highest rate the sound server accepts.
constexpr quint32 kMaxSampleRate = 384000;

quint32 LittleEndian(QByteArrayView bytes, qsizetype at, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}

DecodeResult Failure(const QString &reason)
{
    return {{}, reason};
}

// Each 3-byte sample becomes the top three bytes of a 32-bit one.
QByteArray Widen24(QByteArrayView samples)
{
    QByteArray wide;
    wide.reserve(samples.size() / 3 * 4);
    for (qsizetype i = 0; i + 3 <= samples.size(); i += 3) {
        wide.append('\0');
        wide.append(samples.data() + i, 3);
    }
    return wide;
}

struct Chunks {
    std::optional<QByteArrayView> format;
    std::optional<QByteArrayView> data;
};

Chunks FindChunks(QByteArrayView bytes)
{
    // A RIFF size beyond the end of the file (a file cut short) gives way to
    // the file's own end.
    const qint64 end = std::min<qint64>(bytes.size(), 8 + qint64(LittleEndian(bytes, 4, 4)));
    Chunks chunks;
    qint64 at = 12;
    while (at + 8 <= end) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qint64 size = LittleEndian(bytes, at + 4, 4);
        const qint64 body = at + 8;
        const QByteArrayView content = bytes.sliced(body, std::min(size, end - body));
        if (id == "fmt " && !chunks.format)
            chunks.format = content;
        else if (id == "data" && !chunks.data)
            chunks.data = content;
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    return chunks;
}

}  // namespace

int Sound::BytesPerSample() const
{
    switch (format) {
    case SampleFormat::UInt8:
        return 1;
    case SampleFormat::Int16:
        return 2;
    case SampleFormat::Int32:
    case SampleFormat::Float:
        return 4;
    }
    return 0;
}

DecodeResult Decode(QByteArrayView bytes)
{
    if (bytes.size() < 12 || bytes.first(4) != "RIFF" || bytes.sliced(8, 4) != "WAVE")
        return Failure(QStringLiteral("Not a RIFF WAVE file"));
    const Chunks chunks = FindChunks(bytes);
    if (!chunks.format)
        return Failure(QStringLiteral("No format chunk"));
    const QByteArrayView fmt = *chunks.format;
    if (fmt.size() < 16)
        return Failure(QStringLiteral("Format chunk too short"));
    quint32 tag = LittleEndian(fmt, 0, 2);
    const quint32 channels = LittleEndian(fmt, 2, 2);
    const quint32 rate = LittleEndian(fmt, 4, 4);
    const quint32 blockAlign = LittleEndian(fmt, 12, 2);
    const quint32 bits = LittleEndian(fmt, 14, 2);
    if (tag == kExtensibleTag) {
        if (fmt.size() < 40)
            return Failure(QStringLiteral("Extensible format chunk too short"));
        tag = LittleEndian(fmt, 24, 4);  // the sub-format's leading number
    }

    Sound sound;
    if (tag == kPcmTag && bits == 8)
        sound.format = SampleFormat::UInt8;
    else if (tag == kPcmTag && bits == 16)
        sound.format = SampleFormat::Int16;
    else if (tag == kPcmTag && (bits == 24 || bits == 32))
        sound.format = SampleFormat::Int32;
    else if (tag == kFloatTag && bits == 32)
        sound.format = SampleFormat::Float;
    else
        return Failure(QStringLiteral("Unsupported sample format %1 of %2 bits").arg(tag).arg(bits));
    if (channels < 1 || channels > kMaxChannels)
        return Failure(QStringLiteral("Unsupported channel count %1").arg(channels));
    if (rate < 1 || rate > kMaxSampleRate)
        return Failure(QStringLiteral("Unsupported sample rate %1").arg(rate));
    if (blockAlign != channels * bits / 8)
        return Failure(QStringLiteral("Block size %1 does not fit %2 channels of %3 bits")
                           .arg(blockAlign)
                           .arg(channels)
                           .arg(bits));
    if (!chunks.data)
        return Failure(QStringLiteral("No data chunk"));
    const QByteArrayView whole = chunks.data->first(chunks.data->size() / blockAlign * blockAlign);
    if (whole.isEmpty())
        return Failure(QStringLiteral("No sound in the data chunk"));

    sound.sampleRate = static_cast<int>(rate);
    sound.channelCount = static_cast<int>(channels);
    sound.frames = bits == 24 ? Widen24(whole) : whole.toByteArray();
    return {std::move(sound), std::nullopt};
}

}  // namespace WavFile
