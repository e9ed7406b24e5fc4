#pragma once

#include "chordlist.h"
#include "harmony.h"
#include "score.h"
#include "voicing.h"

#include <QObject>
#include <QTimer>

#include <vector>

class QWidget;

namespace chordvane {

class Playback;

// The tones of a moment (score::withParts) on its parts' own instruments
// (General MIDI; a part that names none takes otherProgram). Just: each
// tone of the step's chord moves by its just cents above the chord's root,
// the seventh as chosen; other notes, and every note of a step without a
// chord, stay tempered.
std::vector<sound::Tone> momentTones(const score::Moment &moment, const harmony::Step *step,
                                     const ChordTable &table, sound::Tuning tuning,
                                     JustSeventh seventh, int otherProgram);

// One attack of a passage: the moment the rows show then, its tones and the
// time until the next attack.
struct PassageAttack {
    size_t moment = 0;
    std::vector<sound::Tone> tones;
    int milliseconds = 0;
};

// How long quarter notes last when a passage plays: a score gives no tempo
// the reader keeps, so one moderate one (♩ = 100).
int passageMilliseconds(const Fraction &quarters);

// Sounds a passage attack by attack, telling at each which moment it
// reached, once or over and over until stopped.
class PassagePlayer : public QObject {
    Q_OBJECT

public:
    // Messages about the sound go over parent.
    PassagePlayer(Playback &playback, QWidget *parent);

    // Stops what plays and starts the passage at its first attack.
    void play(std::vector<PassageAttack> passage, bool loop);
    void setLoop(bool loop) { m_loop = loop; }
    // Stops the passage and its sound; nothing when nothing plays.
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }

signals:
    void reached(size_t moment);
    void playingChanged(bool playing);

private:
    void sound();

    Playback &m_playback;
    QWidget *m_parent;
    QTimer m_timer;
    std::vector<PassageAttack> m_passage;
    size_t m_next = 0;
    bool m_loop = false;
};

} // namespace chordvane
