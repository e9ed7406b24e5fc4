#pragma once

#include "soundoutput.h"

#include <QCoreApplication>

#include <vector>

class QWidget;

namespace chordvane {

class UserDialogs;

// What the play commands of both windows share: the sound output, the
// instrument chosen for chords, the just minor seventh (which the results
// window's tuning guide takes too), and the message, once a run, when
// nothing can sound.
class Playback {
    Q_DECLARE_TR_FUNCTIONS(chordvane::Playback)

public:
    Playback(sound::SoundOutput &output, UserDialogs &dialogs);

    // Stops what sounds and plays the tones; tells the user (over parent)
    // what is missing the first time nothing can sound.
    void play(QWidget *parent, const std::vector<sound::Tone> &tones);
    void stop();

    sound::ChordSound chordSound() const { return m_chordSound; }
    void setChordSound(sound::ChordSound sound) { m_chordSound = sound; }
    JustSeventh seventh() const { return m_seventh; }
    void setSeventh(JustSeventh seventh) { m_seventh = seventh; }

private:
    sound::SoundOutput &m_output;
    UserDialogs &m_dialogs;
    sound::ChordSound m_chordSound = sound::ChordSound::Piano;
    JustSeventh m_seventh = JustSeventh::NineFive;
    bool m_problemShown = false;
};

} // namespace chordvane
