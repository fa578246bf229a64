// Checks a recording of the sound server's output against the answers that
// were confirmed: one sound for every answer, each starting at its cue
// file's pitch a steady delay after its answer with no other sound beneath
// it, each as long as its file, or cut off when the next answer came sooner,
// and nothing else. Prints the
// recording's envelope and a table of what was heard.
//
//   check_recording RECORDING ANSWERS SOUND_FOLDER
//
// RECORDING is raw 16-bit little-endian mono at 44100 Hz; ANSWERS holds one
// line per answer: milliseconds and cue name ("dui" for Sound/dui.wav, "-"
// for a cue whose file is missing: it sounds nothing but cuts off the one
// before).
#include "SoundAnalysis.h"
#include "storage/StoreFile.h"
#include "sound/WavFile.h"

#include <QHash>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr int kRate = 44100;
constexpr double kPitchTolerance = 0.03;  // of the file's pitch
constexpr double kWholeToleranceMs = 10;  // a whole cue's length, either way
constexpr double kDelaySpreadMs = 50;     // a cue's delay after its answer, either way of the median
// At most this share of a cue's start may lie where its file has no power:
// more means another sound plays beneath it.
constexpr double kForeignLimit = 0.01;
// A cue cut off by the next one ends no later than the next one starts and
// no earlier than this before it is due.
constexpr double kCutEarlyMs = 60;

const QString kMissing = QStringLiteral("-");

struct Asked {
    double ms;
    QString cue;
};

struct CueFile {
    std::vector<float> samples;
    int rate;
    qsizetype onset;
    double audibleMs;
    double pitch;
};

double Ms(qsizetype samples, int rate)
{
    return samples * 1000.0 / rate;
}

double Decibels(double level)
{
    return level > 0 ? 20.0 * std::log10(level) : -99.0;
}

std::optional<QByteArray> ReadFile(const QString &path)
{
    const StoreFile::ReadResult read = StoreFile::ReadWhole(path);
    if (read.error) {
        std::fprintf(stderr, "check_recording: cannot read %s: %s\n", qPrintable(path), qPrintable(*read.error));
        return std::nullopt;
    }
    return read.bytes;
}

std::optional<CueFile> Profile(const QString &path)
{
    const std::optional<QByteArray> bytes = ReadFile(path);
    if (!bytes)
        return std::nullopt;
    const WavFile::DecodeResult decoded = WavFile::Decode(*bytes);
    if (decoded.error) {
        std::fprintf(stderr, "check_recording: %s: %s\n", qPrintable(path), qPrintable(*decoded.error));
        return std::nullopt;
    }
    const int rate = decoded.sound.sampleRate;
    const std::vector<float> samples = SoundAnalysis::Mono(decoded.sound);
    const QList<SoundAnalysis::Heard> sounds = SoundAnalysis::FindSounds(samples, rate);
    if (sounds.size() != 1) {
        std::fprintf(stderr, "check_recording: %s holds %d sounds, not one\n", qPrintable(path),
                     static_cast<int>(sounds.size()));
        return std::nullopt;
    }
    const SoundAnalysis::Heard &sound = sounds[0];
    return CueFile{samples, rate, sound.onset, Ms(sound.end - sound.onset, rate),
                   SoundAnalysis::StartPitch(samples, sound.onset, rate)};
}

std::vector<float> Recording(const QByteArray &bytes)
{
    std::vector<float> samples(static_cast<std::size_t>(bytes.size() / 2));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = qFromLittleEndian<qint16>(bytes.constData() + 2 * i) / 32768.0f;
    return samples;
}

// One character per 20 ms, by the loudest sample in it: blank for silence,
// then from "." (−50 dB) to "@" (full scale); two seconds a line.
void PrintEnvelope(const std::vector<float> &samples)
{
    static const char kShades[] = " .:-=+*#%@";
    const std::size_t block = kRate / 50;
    std::printf("Envelope, 20 ms a character, two seconds a line:\n");
    for (std::size_t start = 0; start < samples.size(); start += block * 100) {
        std::printf("%6.1f s |", static_cast<double>(start) / kRate);
        for (std::size_t b = start; b < std::min(samples.size(), start + block * 100); b += block) {
            float peak = 0;
            for (std::size_t i = b; i < std::min(samples.size(), b + block); ++i)
                peak = std::max(peak, std::abs(samples[i]));
            const double db = Decibels(peak);
            const int shade = peak <= SoundAnalysis::kAudible ? 0 : std::clamp(1 + static_cast<int>((db + 50) / 50 * 8), 1, 9);
            std::putchar(kShades[shade]);
        }
        std::printf("|\n");
    }
}

// A cue that cuts off the one before may follow it without a pause. Taking
// the first cue's delay after its answer for every cue, each sound that
// still plays when a later cue is due is split where that cue sets in.
QList<SoundAnalysis::Heard> SplitAtAnswers(QList<SoundAnalysis::Heard> sounds, const std::vector<float> &samples,
                                          const QList<Asked> &asked)
{
    if (sounds.isEmpty() || asked.isEmpty())
        return sounds;
    const double firstDelayMs = Ms(sounds[0].onset, kRate) - asked[0].ms;
    for (const Asked &answer : asked) {
        const auto due = static_cast<qsizetype>((answer.ms + firstDelayMs) * kRate / 1000);
        for (qsizetype i = 0; i < sounds.size(); ++i) {
            SoundAnalysis::Heard &sound = sounds[i];
            if (due <= sound.onset + kRate / 50 || due >= sound.end)
                continue;
            const std::optional<qsizetype> attack = SoundAnalysis::AttackNear(samples, due, kRate);
            if (attack && *attack > sound.onset && *attack < sound.end) {
                sounds.insert(i + 1, {*attack, sound.end});
                sounds[i].end = *attack;
            }
            break;
        }
    }
    return sounds;
}

// Every answer in the file, with the profile of each cue file they name.
std::optional<QList<Asked>> ReadAnswers(const QString &path, const QString &soundFolder, QHash<QString, CueFile> &files)
{
    const std::optional<QByteArray> text = ReadFile(path);
    if (!text)
        return std::nullopt;
    QList<Asked> asked;
    for (const QByteArray &line : text->split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() != 2)
            continue;
        const QString cue = QString::fromLatin1(fields[1]);
        asked.append({fields[0].toDouble(), cue});
        if (cue == kMissing || files.contains(cue))
            continue;
        const std::optional<CueFile> file = Profile(soundFolder + '/' + cue + ".wav");
        if (!file)
            return std::nullopt;
        files.insert(cue, *file);
        std::printf("%s.wav: %.0f ms long, starting at %.0f Hz\n", qPrintable(cue), file->audibleMs, file->pitch);
    }
    return asked;
}

// What is wrong with one sound, heard delayMs after its answer (less the
// median delay), when the next answer came gapMs later; prints its row.
QStringList Judge(int number, const Asked &answer, const SoundAnalysis::Heard &sound, double delayMs, double gapMs,
                  const CueFile &file, const std::vector<float> &samples)
{
    const double length = Ms(sound.end - sound.onset, kRate);
    const double pitch = SoundAnalysis::StartPitch(samples, sound.onset, kRate);
    const double foreign = SoundAnalysis::ForeignShare(samples, sound.onset, kRate, file.samples, file.onset, file.rate);
    const bool whole = gapMs >= file.audibleMs + 100;
    const double shortest = whole ? file.audibleMs - kWholeToleranceMs : gapMs - kCutEarlyMs;
    const double longest = (whole ? file.audibleMs : std::min(gapMs, file.audibleMs)) + kWholeToleranceMs;

    QStringList wrong;
    if (std::abs(delayMs) > kDelaySpreadMs)
        wrong << QStringLiteral("starts %1 ms off the others' delay").arg(delayMs, 0, 'f', 0);
    if (std::abs(pitch - file.pitch) > kPitchTolerance * file.pitch)
        wrong << QStringLiteral("starts at %1 Hz, not at %2 Hz").arg(pitch, 0, 'f', 0).arg(file.pitch, 0, 'f', 0);
    if (foreign > kForeignLimit)
        wrong << QStringLiteral("starts with %1% of its power from another sound").arg(foreign * 100, 0, 'f', 1);
    if (length < shortest || length > longest)
        wrong << QStringLiteral("lasts %1 ms, not %2 to %3 ms")
                     .arg(length, 0, 'f', 0)
                     .arg(shortest, 0, 'f', 0)
                     .arg(longest, 0, 'f', 0);

    const QString expected = whole ? QStringLiteral("whole") : QStringLiteral("cut at %1").arg(gapMs, 0, 'f', 0);
    std::printf("%3d %-4s %9.0f  %10.3f  %+6.0f  %9.0f  %-14s %8.0f (%4.0f)  %6.1f%%  %7.1f  %s\n", number,
                qPrintable(answer.cue), answer.ms, Ms(sound.onset, kRate) / 1000, delayMs, length,
                qPrintable(expected), pitch, file.pitch, foreign * 100, Decibels(SoundAnalysis::Peak(samples, sound)),
                wrong.isEmpty() ? "ok" : "WRONG");
    for (QString &fault : wrong)
        fault = QStringLiteral("sound %1 (%2): %3").arg(number).arg(answer.cue, fault);
    return wrong;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: check_recording RECORDING ANSWERS SOUND_FOLDER\n");
        return 2;
    }
    QHash<QString, CueFile> files;
    const std::optional<QList<Asked>> answers =
        ReadAnswers(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), files);
    const std::optional<QByteArray> recorded = ReadFile(QString::fromLocal8Bit(argv[1]));
    if (!answers || !recorded)
        return 2;
    const QList<Asked> &asked = *answers;
    // The answers that should sound, each with the time of the next cue asked
    // for, sounding or not.
    QList<Asked> sounding;
    QList<double> gaps;
    for (qsizetype i = 0; i < asked.size(); ++i) {
        if (asked[i].cue == kMissing)
            continue;
        sounding.append(asked[i]);
        gaps.append(i + 1 < asked.size() ? asked[i + 1].ms - asked[i].ms : INFINITY);
    }

    const std::vector<float> samples = Recording(*recorded);
    const QList<SoundAnalysis::Heard> heard = SplitAtAnswers(SoundAnalysis::FindSounds(samples, kRate), samples, asked);
    std::printf("Recorded %.1f s: %d sounds for %d sounding cues\n\n", Ms(std::ssize(samples), kRate) / 1000,
                static_cast<int>(heard.size()), static_cast<int>(sounding.size()));
    PrintEnvelope(samples);

    QStringList faults;
    if (sounding.isEmpty())
        faults << QStringLiteral("no answer was given");
    if (heard.size() != sounding.size())
        faults << QStringLiteral("%1 sounds came out for %2 sounding cues").arg(heard.size()).arg(sounding.size());

    std::vector<double> delays;
    for (qsizetype i = 0; i < std::min(heard.size(), sounding.size()); ++i)
        delays.push_back(Ms(heard[i].onset, kRate) - sounding[i].ms);
    std::vector<double> sorted = delays;
    std::sort(sorted.begin(), sorted.end());
    const double medianDelay = sorted.empty() ? 0 : sorted[sorted.size() / 2];

    std::printf("\n  # cue  answer ms  heard at s  delay±  length ms  expected        pitch Hz (file)  foreign  peak dB\n");
    for (qsizetype i = 0; i < std::ssize(delays); ++i)
        faults << Judge(static_cast<int>(i + 1), sounding[i], heard[i], delays[i] - medianDelay, gaps[i],
                        files[sounding[i].cue], samples);
    for (qsizetype i = sounding.size(); i < heard.size(); ++i)
        std::printf("  + extra sound at %.3f s, %.0f ms long\n", Ms(heard[i].onset, kRate) / 1000,
                    Ms(heard[i].end - heard[i].onset, kRate));
    std::printf("Median delay from answer to sound: %.0f ms (the two clocks are not aligned)\n", medianDelay);

    if (faults.isEmpty()) {
        std::printf("\nAll %d cues sounded whole or cut off by the next, at their files' pitch.\n",
                    static_cast<int>(sounding.size()));
        return 0;
    }
    std::printf("\n");
    for (const QString &fault : faults)
        std::printf("FAULT: %s\n", qPrintable(fault));
    return 1;
}
