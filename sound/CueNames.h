#pragma once

#include <QString>
#include <QStringList>

// The five cue files, relative to the folder of the shipped files, in the
// letter case they are shipped in.
namespace CueNames {

inline QString Tishi() { return QStringLiteral("Sound\\tishi.WAV"); }      // a module opens
inline QString Jingsai() { return QStringLiteral("Sound\\jingsai.wav"); }  // the competition opens
inline QString Dui() { return QStringLiteral("Sound\\dui.wav"); }          // a right answer
inline QString Cuo() { return QStringLiteral("Sound\\cuo.wav"); }          // a wrong answer
inline QString Kaoshi() { return QStringLiteral("Sound\\kaoshi.WAV"); }    // exam room steps

}  // namespace CueNames

inline QStringList AllCueNames()
{
    return {CueNames::Tishi(), CueNames::Jingsai(), CueNames::Dui(), CueNames::Cuo(), CueNames::Kaoshi()};
}
