#include "storage/StoreFile.h"
#include "sound/WavFile.h"

#include <QTest>
#include <QtEndian>

using WavFile::SampleFormat;

namespace {

QByteArray LittleEndian(quint32 value, int width)
{
    QByteArray bytes;
    for (int i = 0; i < width; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

QByteArray Chunk(const char *id, const QByteArray &body)
{
    QByteArray chunk = QByteArray(id, 4) + LittleEndian(static_cast<quint32>(body.size()), 4) + body;
    if (body.size() % 2)
        chunk.append('\0');
    return chunk;
}

struct Format {
    quint32 tag = 1;
    quint32 channels = 1;
    quint32 rate = 22050;
    quint32 bits = 16;
    quint32 blockAlign = 0;  // 0: channels × bits / 8
};

QByteArray FormatChunk(const Format &f)
{
    const quint32 align = f.blockAlign ? f.blockAlign : f.channels * f.bits / 8;
    return Chunk("fmt ", LittleEndian(f.tag, 2) + LittleEndian(f.channels, 2) + LittleEndian(f.rate, 4) +
                             LittleEndian(f.rate * align, 4) + LittleEndian(align, 2) + LittleEndian(f.bits, 2));
}

// The 40-byte form that names the sample format in a sub-format number.
QByteArray ExtensibleFormatChunk(quint32 subFormat, quint32 channels, quint32 bits)
{
    const quint32 align = channels * bits / 8;
    const QByteArray guidTail = QByteArray::fromHex("000000001000800000aa00389b71");
    return Chunk("fmt ", LittleEndian(0xFFFE, 2) + LittleEndian(channels, 2) + LittleEndian(44100, 4) +
                             LittleEndian(44100 * align, 4) + LittleEndian(align, 2) + LittleEndian(bits, 2) +
                             LittleEndian(22, 2) + LittleEndian(bits, 2) + LittleEndian(0, 4) +
                             LittleEndian(subFormat, 2) + guidTail);
}

QByteArray Riff(const QByteArray &chunks)
{
    return "RIFF" + LittleEndian(static_cast<quint32>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

QByteArray Samples16(std::initializer_list<qint16> samples)
{
    QByteArray bytes;
    for (qint16 s : samples)
        bytes += LittleEndian(static_cast<quint16>(s), 2);
    return bytes;
}

const QByteArray kSixteenBitFrames = Samples16({0, 1000, -1000, 32767, -32768, 7});
const QByteArray kGoodFile = Riff(FormatChunk({}) + Chunk("data", kSixteenBitFrames));

}  // namespace

class tst_WavFile : public QObject {
    Q_OBJECT

private slots:
    void decodesEachSampleFormat_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<SampleFormat>("format");
        QTest::addColumn<QByteArray>("frames");

        QTest::newRow("16-bit mono") << kGoodFile << 22050 << 1 << SampleFormat::Int16 << kSixteenBitFrames;
        const QByteArray eightBit = QByteArray::fromHex("80ff0010");
        QTest::newRow("8-bit stereo") << Riff(FormatChunk({1, 2, 8000, 8}) + Chunk("data", eightBit)) << 8000 << 2
                                      << SampleFormat::UInt8 << eightBit;
        QTest::newRow("24-bit widened to 32")
            << Riff(FormatChunk({1, 1, 48000, 24}) + Chunk("data", QByteArray::fromHex("010203ffffff")))
            << 48000 << 1 << SampleFormat::Int32 << QByteArray::fromHex("0001020300ffffff");
        const QByteArray int32 = QByteArray::fromHex("0000008000000080");
        QTest::newRow("32-bit stereo") << Riff(FormatChunk({1, 2, 44100, 32}) + Chunk("data", int32)) << 44100 << 2
                                       << SampleFormat::Int32 << int32;
        const QByteArray floats = QByteArray::fromHex("0000803f000080bf");
        QTest::newRow("32-bit float") << Riff(FormatChunk({3, 1, 44100, 32}) + Chunk("data", floats)) << 44100
                                      << 1 << SampleFormat::Float << floats;
        QTest::newRow("extensible, PCM inside")
            << Riff(ExtensibleFormatChunk(1, 2, 16) + Chunk("data", kSixteenBitFrames)) << 44100 << 2
            << SampleFormat::Int16 << kSixteenBitFrames;
        QTest::newRow("extensible, float inside")
            << Riff(ExtensibleFormatChunk(3, 1, 32) + Chunk("data", floats)) << 44100 << 1 << SampleFormat::Float
            << floats;
        QTest::newRow("odd-sized chunks before, padded")
            << Riff(Chunk("LIST", "INFOa") + Chunk("fact", "xyz") + FormatChunk({}) + Chunk("data", kSixteenBitFrames))
            << 22050 << 1 << SampleFormat::Int16 << kSixteenBitFrames;
        QTest::newRow("data before format")
            << Riff(Chunk("data", kSixteenBitFrames) + FormatChunk({})) << 22050 << 1 << SampleFormat::Int16
            << kSixteenBitFrames;
        QTest::newRow("trailing bytes after the RIFF chunk") << kGoodFile + "junk" << 22050 << 1
                                                               << SampleFormat::Int16 << kSixteenBitFrames;
        // Cut short in the middle of a sample: the whole frames before it.
        QTest::newRow("file cut short") << kGoodFile.chopped(3) << 22050 << 1 << SampleFormat::Int16
                                        << kSixteenBitFrames.chopped(4);
        QByteArray bigRiffSize = kGoodFile;
        bigRiffSize.replace(4, 4, LittleEndian(0xFFFFFFFF, 4));
        QTest::newRow("RIFF size past the end") << bigRiffSize << 22050 << 1 << SampleFormat::Int16
                                                << kSixteenBitFrames;
    }

    void decodesEachSampleFormat()
    {
        QFETCH(QByteArray, file);
        const WavFile::DecodeResult decoded = WavFile::Decode(file);
        QCOMPARE(decoded.error, std::nullopt);
        QTEST(decoded.sound.sampleRate, "rate");
        QTEST(decoded.sound.channelCount, "channels");
        QTEST(decoded.sound.format, "format");
        QTEST(decoded.sound.frames, "frames");
    }

    void silenceIsMidwayForUnsignedSamples()
    {
        WavFile::Sound sound;
        sound.format = SampleFormat::UInt8;
        QCOMPARE(sound.SilenceByte(), char(0x80));
        sound.format = SampleFormat::Float;
        QCOMPARE(sound.SilenceByte(), char(0));
    }

    void refusesWhatHoldsNoPlayableSound_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");

        const QByteArray data = Chunk("data", kSixteenBitFrames);
        const QString notWave = QStringLiteral("Not a RIFF WAVE file");
        QTest::newRow("empty") << QByteArray() << notWave;
        QTest::newRow("big-endian RIFX") << "RIFX" + kGoodFile.mid(4) << notWave;
        QTest::newRow("RIFF of another kind") << kGoodFile.left(8) + "AVI " + kGoodFile.mid(12) << notWave;
        QTest::newRow("header only") << Riff({}) << "No format chunk";
        QTest::newRow("no format chunk") << Riff(data) << "No format chunk";
        QTest::newRow("format chunk cut short") << kGoodFile.left(30) << "Format chunk too short";
        QTest::newRow("old 14-byte format chunk") << Riff(Chunk("fmt ", QByteArray(14, '\1')) + data)
                                                  << "Format chunk too short";
        QTest::newRow("extensible chunk too short")
            << Riff(Chunk("fmt ", FormatChunk({0xFFFE}).mid(8) + QByteArray(4, '\0')) + data)
            << "Extensible format chunk too short";
        QTest::newRow("ADPCM") << Riff(FormatChunk({2, 1, 22050, 4, 256}) + data)
                               << "Unsupported sample format 2 of 4 bits";
        QTest::newRow("12-bit PCM") << Riff(FormatChunk({1, 1, 22050, 12, 2}) + data)
                                    << "Unsupported sample format 1 of 12 bits";
        QTest::newRow("64-bit float") << Riff(FormatChunk({3, 1, 22050, 64}) + data)
                                      << "Unsupported sample format 3 of 64 bits";
        QTest::newRow("extensible, compressed inside") << Riff(ExtensibleFormatChunk(2, 1, 16) + data)
                                                       << "Unsupported sample format 2 of 16 bits";
        QTest::newRow("no channels") << Riff(FormatChunk({1, 0, 22050, 16, 2}) + data)
                                     << "Unsupported channel count 0";
        QTest::newRow("nine channels") << Riff(FormatChunk({1, 9}) + data) << "Unsupported channel count 9";
        QTest::newRow("rate 0") << Riff(FormatChunk({1, 1, 0}) + data) << "Unsupported sample rate 0";
        QTest::newRow("rate beyond the server's") << Riff(FormatChunk({1, 1, 400000}) + data)
                                                  << "Unsupported sample rate 400000";
        QTest::newRow("block size of another format") << Riff(FormatChunk({1, 2, 22050, 16, 2}) + data)
                                                      << "Block size 2 does not fit 2 channels of 16 bits";
        QTest::newRow("no data chunk") << Riff(FormatChunk({}) + Chunk("LIST", "INFO")) << "No data chunk";
        QTest::newRow("empty data chunk") << Riff(FormatChunk({}) + Chunk("data", {}))
                                          << "No sound in the data chunk";
        QTest::newRow("less than one frame") << Riff(FormatChunk({1, 2}) + Chunk("data", "abc"))
                                             << "No sound in the data chunk";
        QTest::newRow("chunk claiming 4 GiB before the format")
            << Riff(Chunk("LIST", "INFO").replace(4, 4, LittleEndian(0xFFFFFFFF, 4)) + FormatChunk({}) + data)
            << "No format chunk";
    }

    void refusesWhatHoldsNoPlayableSound()
    {
        QFETCH(QByteArray, file);
        QTEST(WavFile::Decode(file).error.value_or(QStringLiteral("<decoded>")), "error");
    }

    // Whatever the length a file is cut to, it decodes to a start of its
    // frames or names its fault; nothing is read past the end.
    void everyCutOfAGoodFileIsSafe()
    {
        const QByteArray file = Riff(Chunk("LIST", "INFOa") + FormatChunk({1, 2}) + Chunk("data", kSixteenBitFrames));
        for (qsizetype length = 0; length <= file.size(); ++length) {
            const WavFile::DecodeResult decoded = WavFile::Decode(QByteArrayView(file).first(length));
            if (!decoded.error)
                QVERIFY(kSixteenBitFrames.startsWith(decoded.sound.frames));
        }
    }

    // The files the build makes for the installation folder.
    void decodesTheInstalledCues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("tishi") << "tishi.WAV" << 450;
        QTest::newRow("jingsai") << "jingsai.wav" << 750;
        QTest::newRow("dui") << "dui.wav" << 500;
        QTest::newRow("cuo") << "cuo.wav" << 450;
        QTest::newRow("kaoshi") << "kaoshi.WAV" << 800;
    }

    void decodesTheInstalledCues()
    {
        QFETCH(QString, name);
        const StoreFile::ReadResult read = StoreFile::ReadWhole(QStringLiteral(CUE_FOLDER "/") + name);
        QCOMPARE(read.error, std::nullopt);
        const WavFile::DecodeResult decoded = WavFile::Decode(read.bytes);
        QCOMPARE(decoded.error, std::nullopt);
        QCOMPARE(decoded.sound.format, SampleFormat::Int16);
        QCOMPARE(decoded.sound.channelCount, 1);
        QTEST(qRound(decoded.sound.FrameCount() * 1000.0 / decoded.sound.sampleRate), "milliseconds");
    }
};

QTEST_GUILESS_MAIN(tst_WavFile)
#include "tst_wavfile.moc"
