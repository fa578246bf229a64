#pragma once

#include <QList>
#include <optional>
#include <vector>

namespace WavFile {
struct Sound;
}

// Finding sounds in a recording and telling their pitch.
namespace SoundAnalysis {

// Quieter than this (−50 dB of full scale) is silence.
constexpr double kAudible = 0.003;

struct Heard {
    qsizetype onset = 0;  // first audible sample
    qsizetype end = 0;    // one past the last audible sample
};

// A file's sound as samples of −1..1, its channels mixed.
std::vector<float> Mono(const WavFile::Sound &sound);

// The runs of audible samples; a quiet of less than 10 ms does not end one.
QList<Heard> FindSounds(const std::vector<float> &samples, int rate);

// Where, within 50 ms of around, a sound more than twice as loud as the 10 ms
// before it sets in: a new sound that cut off the one before without a
// pause. Empty when nothing sets in there.
std::optional<qsizetype> AttackNear(const std::vector<float> &samples, qsizetype around, int rate);

// How much of a sound's start is not its cue file's: the share of the
// power, in the 40 ms after the first 5 ms, at frequencies where the file's
// own start has less (0 for the file alone, near 1 for another sound).
double ForeignShare(const std::vector<float> &samples, qsizetype onset, int rate, const std::vector<float> &file,
                    qsizetype fileOnset, int fileRate);

// The loudest sample of a sound, 0..1.
double Peak(const std::vector<float> &samples, const Heard &sound);

// The strongest frequency between 100 and 3000 Hz in the 40 ms that follow
// the first 5 ms of a sound (past its attack).
double StartPitch(const std::vector<float> &samples, qsizetype onset, int rate);

}  // namespace SoundAnalysis
