#pragma once

#include <QtPlugin>

class QString;

// What the cue player offers the program. The player and Qt Multimedia with
// the sound server's libraries live in a plugin that is loaded once the main
// menu is on screen, so that none of them delays the first paint.
class CueOutput {
public:
    virtual ~CueOutput() = default;
    // Decodes the cue ahead of use and opens an output for it.
    virtual void Load(const QString &relativePath) = 0;
    virtual void Play(const QString &relativePath) = 0;
};

#define CueOutput_iid "org.numbrook.CueOutput/1"
Q_DECLARE_INTERFACE(CueOutput, CueOutput_iid)
