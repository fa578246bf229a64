#pragma once

#include <functional>

class QString;

// Starts playing a WAV cue given by its path relative to the folder of the
// shipped files ("Sound\\dui.wav") and returns at once. A new cue cuts off the one
// still playing. A missing or unplayable file, or a machine without sound, is
// silent and never reported.
void PlayCue(const QString &relativePath);

namespace Cues {

// Decodes the five cue files and opens a sound output ahead of use, so that
// a cue starts within a frame of the click. Called once the main menu is on
// screen.
void Preload();

// Tests hear which cue was asked for instead of any sound; an empty function
// restores playback.
using Listener = std::function<void(const QString &relativePath)>;
void ListenForTests(Listener listener);

}  // namespace Cues
