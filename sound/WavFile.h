#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Reads the sound of a RIFF WAVE file holding uncompressed PCM: 8-bit
// unsigned, 16-, 24- or 32-bit signed, or 32-bit float samples, any number of
// channels from 1 to 8. 24-bit samples come back widened to 32 bits, so every
// format is one a sound device takes as it is.
namespace WavFile {

enum class SampleFormat { UInt8, Int16, Int32, Float };

struct Sound {
    int sampleRate = 0;
    int channelCount = 0;
    SampleFormat format = SampleFormat::Int16;
    QByteArray frames;  // interleaved little-endian samples, whole frames only

    int BytesPerSample() const;
    int BytesPerFrame() const { return BytesPerSample() * channelCount; }
    qsizetype FrameCount() const { return frames.size() / BytesPerFrame(); }
    // The byte a silent sample is made of (unsigned 8-bit silence is 0x80).
    char SilenceByte() const { return format == SampleFormat::UInt8 ? char(0x80) : char(0); }
};

struct DecodeResult {
    Sound sound;
    std::optional<QString> error;  // why the bytes hold no playable sound
};

// A data chunk that runs past the end of the file (a file cut short) gives
// the frames that are there.
DecodeResult Decode(QByteArrayView bytes);

}  // namespace WavFile
