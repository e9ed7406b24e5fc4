#include "passageplayer.h"

#include "playback.h"

#include <QWidget>

#include <algorithm>

namespace chordvane {

namespace {

constexpr std::int64_t kQuarterMilliseconds = 600;

bool isChordTone(const ChordRow &row, int interval)
{
    for (const int v : row) {
        if (v == NO_NOTE)
            break;
        if (FoldIntoOctave(v, 1) == interval)
            return true;
    }
    return false;
}

} // namespace

std::vector<sound::Tone> momentTones(const score::Moment &moment, const harmony::Step *step,
                                     const ChordTable &table, sound::Tuning tuning,
                                     JustSeventh seventh, int otherProgram)
{
    const bool just = tuning == sound::Tuning::Just && step && step->chord;
    std::vector<sound::Tone> tones;
    for (const score::PartMoment &part : moment.parts) {
        for (const int key : part.sounding) {
            sound::Tone tone{key, 0.0, part.program >= 0 ? part.program : otherProgram};
            if (just) {
                // Folded first: 99 would read as NO_NOTE.
                const int interval = FoldIntoOctave((key - step->chord->root) % 12 + 1, 1);
                if (isChordTone(table.row(step->chord->chord), interval))
                    tone.cents = JustCents(interval, 1, seventh);
            }
            tones.push_back(tone);
        }
    }
    return tones;
}

int passageMilliseconds(const Fraction &quarters)
{
    return static_cast<int>(quarters.numerator() * kQuarterMilliseconds / quarters.denominator());
}

PassagePlayer::PassagePlayer(Playback &playback, QWidget *parent)
    : QObject(parent)
    , m_playback(playback)
    , m_parent(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // a beat late is heard
    connect(&m_timer, &QTimer::timeout, this, &PassagePlayer::sound);
}

void PassagePlayer::play(std::vector<PassageAttack> passage, bool loop)
{
    stop();
    if (passage.empty())
        return;
    m_passage = std::move(passage);
    m_loop = loop;
    m_next = 0;
    sound();
    emit playingChanged(isPlaying());
}

void PassagePlayer::stop()
{
    if (!isPlaying())
        return;
    m_timer.stop();
    m_playback.stop();
    emit playingChanged(false);
}

void PassagePlayer::sound()
{
    if (m_next >= m_passage.size()) {
        if (!m_loop) {
            m_playback.stop();
            emit playingChanged(false);
            return;
        }
        m_next = 0;
    }
    const PassageAttack &attack = m_passage[m_next++];
    // The rows first, so that what is heard is what they show.
    emit reached(attack.moment);
    m_playback.play(m_parent, attack.tones);
    m_timer.start(std::max(1, attack.milliseconds));
}

} // namespace chordvane
