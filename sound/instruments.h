#pragma once

#include <array>
#include <string_view>

// The instrument names are the list's Japanese texts, marked for the
// windows' translation, which gives their English; the marker is Qt's own
// definition, for the programs without Qt.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace chordvane::sound {

// One instrument a row can name. offset: semitones from the written to the
// sounding pitch class, the transposition list's entry that goes with the
// instrument; program: General MIDI, 0-based (56 = trumpet); octave:
// semitones between the written note moved by offset and the real sound
// (the alto saxophone's +3 stands for the major sixth below: octave -12).
struct Instrument {
    std::string_view name; // UTF-8, as the Japanese instrument list shows it
    int offset = 0;
    int program = 0;
    int octave = 0;
};

// The instrument list, in the order a row offers it: grouped by
// transposition, each group headed by an entry in 【 】 that stands for its
// transposition. Headers, the placeholder and "その他" sound as a piano.
inline constexpr std::array<Instrument, 42> kInstruments = {{
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "(楽器名)"), 0, 0, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "【 in C 】"), 0, 0, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ピアノ"), 0, 0, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ピッコロ"), 0, 72,
     12}, // written an octave below its sound
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "フルート"), 0, 73, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "オーボエ"), 0, 68, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ファゴット"), 0, 70, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "トロンボーン"), 0, 57, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ユーフォニアム"), 0, 58,
     0}, // bass clef, at pitch
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "テューバ"), 0, 58, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "コントラバス"), 0, 43,
     -12}, // written an octave above its sound
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ティンパニ"), 0, 47, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "グロッケンシュピール"), 0, 9, 24},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "シロフォン"), 0, 13, 12},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ヴィブラフォン"), 0, 11, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "マリンバ"), 0, 12, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "【 in D 】"), 2, 0, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "D管トランペット"), 2, 56, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "【 in E♭ 】"), 3, 0, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "E♭クラリネット"), 3, 71, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "アルト・クラリネット"), 3, 71, -12},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "アルト・サクソフォン"), 3, 65, -12},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "バリトン・サクソフォン"), 3, 67, -24},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "テナーホルン"), 3, 60, -12},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "E♭バス"), 3, 58,
     -36}, // treble clef, two octaves and a sixth down
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "【 in B♭ 】"), -2, 0, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "クラリネット"), -2, 71, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "バス・クラリネット"), -2, 71, -12},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ソプラノ・サクソフォン"), -2, 64, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "テナー・サクソフォン"), -2, 66, -12},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "トランペット"), -2, 56, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "コルネット"), -2, 56, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "フリューゲルホルン"), -2, 56, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "バリトン"), -2, 57, -12}, // treble clef
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ユーフォニアム (ト音記号)"), -2, 58,
     -12}, // treble clef
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "B♭バス"), -2, 58, -24},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "【 in F 】"), 5, 0, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "ホルン"), 5, 60, -12},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "コール・アングレ"), 5, 69, -12},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "【 in G 】"), -5, 0, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "アルト・フルート"), -5, 73, 0},
    {QT_TRANSLATE_NOOP("chordvane::InstrumentRow", "その他"), 0, 0, 0},
}};

// How a row sounds: its program, and the real transposition that goes with
// the transposition list's entry `offset` (offset plus octaves). A score's
// part brings its own; a row on an instrument of the list takes the list's.
struct Voice {
    int program = 0;
    int offset = 0;
    int octave = 0;
    bool operator==(const Voice &) const = default;
};
constexpr Voice voiceOf(const Instrument &instrument)
{
    return {instrument.program, instrument.offset, instrument.octave};
}

// The MIDI key a row's written note stands for, before any transposition:
// written is the note number (C = 1 is middle C on the treble clef; the bass
// clef shares that numbering two octaves up).
constexpr int writtenKey(int written, bool bassClef)
{
    return 60 - 1 + written - (bassClef ? 24 : 0); // MIDI 60 = middle C
}

// The MIDI key a row sounds: its written note number (C = 1 is middle C on
// the treble clef; the bass clef shares that numbering two octaves up) on
// the transposition chosen (tuneOffset). The voice's octave counts only
// while the row is on the voice's own transposition; the key is kept within
// 0..127 by octaves.
int soundingKey(int written, bool bassClef, int tuneOffset, const Voice &voice);

} // namespace chordvane::sound
