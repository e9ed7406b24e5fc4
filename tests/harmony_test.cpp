// The harmony of hand-made passages, chart by chart.
#include "harmony.h"
#include "progressiontesting.h"

#include <gtest/gtest.h>

using namespace chordvane;
using namespace chordvane::harmony;
using chordvane::test::chart;
using chordvane::test::pieceOf;
using chordvane::test::Progression;
using chordvane::test::shippedList;

const Progression kProgressions[] = {
    {"pedal point under IV and V7",
     {"C3:12", "C4:4 C4:4 B3:4", "E4:4 F4:4 D4:4", "G4:4 A4:4 F4:4", "r:8 G4:4"},
     "0 C 100 | 4 F/C 100 | 8 G7/C 100"},
    {"Alberti bass, one harmonic step a bar",
     {"C3:1/4 G3:1/4 E3:1/4 G3:1/4 C3:1/4 G3:1/4 E3:1/4 G3:1/4 "
      "C3:1/4 G3:1/4 E3:1/4 G3:1/4 C3:1/4 G3:1/4 E3:1/4 G3:1/4 "
      "B2:1/4 G3:1/4 D3:1/4 G3:1/4 B2:1/4 G3:1/4 D3:1/4 G3:1/4 "
      "B2:1/4 G3:1/4 D3:1/4 G3:1/4 B2:1/4 G3:1/4 D3:1/4 G3:1/4",
      "E5:2 D5:1 C5:1 F5:4"},
     "0 C 100 | 4 G7/B 100"},
    // The tuba's note rings through its bar, not into the next.
    {"oom-pah in 3/4",
     {"C3:1 r:2 G2:1 r:2 r:3", "r:1 E4:1 E4:1 r:1 F4:1 F4:1 r:1 E4:1 E4:1",
      "r:1 G4:1 G4:1 r:1 B4:1 B4:1 r:1 G4:1 G4:1", "E5:3 B4:3 C5:3"},
     "0 C 100 | 3 G7 75 | 6 C 100 | 7 C/E 100",
     {0, 3, 4}},
    {"broken chords in 6/8",
     {"C3:1/2 E3:1/2 G3:1/2 B2:1/2 D3:1/2 G3:1/2", "G4:3", "r:3/2 F4:3/2"},
     "0 C 100 | 3/2 G7/B 100",
     {0, 6, 8}},
    {"broken chords in 2/2",
     {"C3:1 E3:1 B2:1 D3:1", "G4:4", "r:2 F4:2"},
     "0 C 100 | 2 G7/B 100",
     {0, 2, 2}},
    // Chords a quarter long in 2/2: each half of the beat is a step.
    {"two chords in one half-note beat",
     {"E5:1 D5:1 C5:2", "C5:1 B4:1 G4:2", "G4:1 F4:1 E4:2", "C3:1 G2:1 C3:2"},
     "0 C 100 | 1 G7 100 | 2 C 100",
     {0, 2, 2}},
    // A line over the bass spells a chord on each half of the beat.
    {"a broken line over a held bass in 2/2",
     {"C3:2", "G4:1/2 E4:1/2 A4:1/2 F4:1/2"},
     "0 C 100 | 1 F/C 100",
     {0, 2, 2}},
    // A line alone on the halves of a beat names the chords it breaks.
    {"a line alone in 2/2",
     {"C4:1/4 E4:1/4 G4:1/4 E4:1/4 F4:1/4 A4:1/4 C5:1/4 A4:1/4"},
     "0 C 100 | 1 F 100",
     {0, 2, 2}},
    // A dotted beat of 6/8 changes chord on its eighths.
    {"a neighbour chord on the eighths of 6/8",
     {"C5:1/2 C5:1/2 C5:1/2", "G4:1/2 A4:1/2 G4:1/2", "E4:1/2 F4:1/2 E4:1/2",
      "C3:1/2 C3:1/2 C3:1/2"},
     "0 C 100 | 1/2 F/C 100 | 1 C 100",
     {0, 6, 8}},
    // One note a beat: the measure's notes spell the chord.
    {"arpeggio across a measure",
     {"C3:1 E3:1 G3:1 C4:1 G2:1 B2:1 D3:1 F3:1"},
     "0 C 100 | 4 G7 100"},
    {"held chord under a moving melody",
     {"C4:4", "E4:4", "G4:4", "C5:1 D5:1 E5:1 F5:1"},
     "0 C 100"},
    {"a solo line says nothing", {"D4:1 E4:1 F4:1 G4:1 A4:1 Bb4:1 C#5:1 D5:1"}, "0 N.C. 0"},
    {"a unison tutti says nothing",
     {"E5:1 F5:1 E5:1 D5:1", "E4:1 F4:1 E4:1 D4:1", "E3:1 F3:1 E3:1 D3:1"},
     "0 N.C. 0"},
    // C♯ E G B♭ leads a semitone up to D.
    {"diminished seventh before its resolution",
     {"Bb4:2 A4:2", "G4:2 F4:2", "E4:2 D4:2", "C#3:2 D3:2"},
     "0 C♯dim7 100 | 2 Dm 100",
     {0, 4, 4},
     0,
     {{0, -1, true}}},
    // Over its seventh in the bass it is still named on C♯, which leads to D.
    {"diminished seventh over its seventh",
     {"G4:2 F4:2", "E4:2 F4:2", "C#4:2 D4:2", "Bb2:2 A2:2"},
     "0 C♯dim7/B♭ 100 | 2 Dm/A 100",
     {0, 4, 4},
     0,
     {{0, -1, true}}},
    // F♯ A C over C leads to C♯ minor: B♯dim7 without its D♯, not F♯dim/B♯.
    {"diminished triad named on its leading tone",
     {"F#4:2 E4:2", "A4:2 G#4:2", "C4:2 C#4:2"},
     "0 B♯dim7 75 | 2 C♯m 100",
     {0, 4, 4},
     0,
     {{0, 4, true}}},
    // E G B♭ after the whole C♯dim7 is that seventh without its root,
    // though no tone of it leads up to the A that follows.
    {"diminished triad beside its seventh",
     {"C#3:2 E3:2 A2:4", "G3:2 G3:2 A3:4", "Bb3:2 Bb3:2 C#4:4", "E4:2 E4:2 E4:4"},
     "0 C♯dim7 100 | 2 C♯dim7/E 75 | 4 A 100",
     {0, 4, 4},
     0,
     {{0, -1, true}}},
    // And before it, though no tone of the triad leads up to D.
    {"diminished triad before its seventh",
     {"E3:2 C#3:2 D3:4", "G3:2 G3:2 F3:4", "Bb3:2 Bb3:2 A3:4", "E4:2 E4:2 D4:4"},
     "0 C♯dim7/E 75 | 2 C♯dim7 100 | 4 Dm 100",
     {0, 4, 4},
     0,
     {{0, -1, true}}},
    // B D F after G, or with a G passing by, is G7 without its root.
    {"dominant seventh without its root after its root",
     {"G2:2 B2:2 C3:4", "D4:2 D4:2 G4:4", "G4:2 F4:2 E4:4", "B4:2 B4:2 C5:4"},
     "0 G 100 | 2 G7/B 75 | 4 C 100"},
    {"dominant seventh without its root, the root passing",
     {"C3:2 B2:2 C3:4", "E4:2 D4:2 E4:4", "G4:2 F4:2 G4:4", "r:2 A5:1/2 G5:1/2 F5:1 E5:4"},
     "0 C 100 | 2 G7/B 75 | 4 C 100"},
    // Two voices leap to another chord by the eighth: C E, then D F.
    {"two voices in halves of a beat",
     {"C3:1/2 D2:1/2 r:3", "E4:1/2 F5:1/2 r:3"},
     "0 C 67 | 1/2 Dm 67"},
    // Two voices a half measure each: C E, then A C, not C6 for the measure.
    {"two voices by the half measure", {"C3:2 A2:2", "E4:2 C4:2"}, "0 C 67 | 2 Am 67"},
    {"triplets in 3/4",
     {"C3:1/3 E3:1/3 G3:1/3 C3:1/3 E3:1/3 G3:1/3 C3:1/3 E3:1/3 G3:1/3", "E5:1 D5:1 C5:1"},
     "0 C 100",
     {0, 3, 4}},
    {"5/4 in one chord a measure",
     {"C3:5 G2:5", "E4:1 F4:1 E4:1 D4:1 E4:1 D4:1 E4:1 F4:1 E4:1 D4:1", "G4:5 B3:5"},
     "0 C 100 | 5 G 100",
     {0, 5, 4}},
    // Beats count from each bar's start, the pickup's too.
    {"pickup of an eighth",
     {"C5:1/2 A4:1 G4:1 r:2", "r:1/2 F3:1 C3:1 r:2", "r:1/2 C4:1 E4:1 r:2"},
     "0 N.C. 0 | 1/2 F 100 | 3/2 C 100",
     {0, 4, 4},
     Fraction(1, 2)},
    // A rest inside a measure keeps its chord, the E and G after it too; a
    // silent measure has none.
    {"rests",
     {"C3:1 r:3 r:4 G2:1", "E4:1 r:1 E4:2 r:4 B3:1", "G4:1 r:1 G4:2 r:4 D4:1", "C5:1 r:3"},
     "0 C 100 | 4 N.C. 0 | 8 G 100"},
    // C struck again over G before it falls to B: one G chord, its third delayed.
    {"a suspension resolving a beat later",
     {"G2:4", "D4:4", "C5:1/2 C5:1/2 C5:1/2 C5:1/2 B4:2", "G5:4"},
     "0 G 100"},
    {"a suspension resolving over a moving bass",
     {"G2:2 B2:2", "D4:4", "C5:1/2 C5:1/2 C5:1/2 C5:1/2 B4:2", "G5:4"},
     "0 G 100 | 2 G/B 100"},
    // E and G after C: C over E rather than Em; after A minor, Em.
    {"two tones go on with the root before",
     {"C3:2 E3:2 A2:2 E3:2", "E4:2 G4:2 C4:2 G4:2", "G4:2 r:2 E4:2 r:2"},
     "0 C 100 | 2 C/E 67 | 4 Am 100 | 6 Em 67"},
    // E G D C♯ spell no plainer chord; Em13 would lack two of its six
    // tones (F♯ and B).
    {"a thirteenth with tones missing says nothing", {"E3:4", "D4:4", "G4:4", "C#5:4"}, "0 N.C. 0"},
    // One tone short, an altered dominant still stands: its fifth is the one missing.
    {"an altered dominant without its fifth",
     {"C3:4", "E4:4", "Bb4:4", "D#5:4", "F#5:4"},
     "0 C7(♯9,♯11) 83"},
    // C E♭ D over B♭ would be Cm(add9) missing its G over a bass outside
    // it: only a complete triad, dominant or diminished seventh stands there.
    {"an incomplete chord over a foreign bass",
     {"Bb2:1", "C4:1", "Eb4:1/4 D5:1/4 Eb4:1/4 D5:1/4"},
     "0 N.C. 0"},
    // B, then F, over G in one half-note beat: G7 without its D, not G
    // then Fsus2/G.
    {"a beat's halves in one incomplete chord", {"G2:2", "B3:1 F4:1"}, "0 G7 75", {0, 2, 2}},
    // F stops under the held G and B; the D struck again still sounds:
    // three tones of G7 go on, no N.C.
    {"a held chord rated on its struck tones too",
     {"G2:2", "B3:2", "F4:1 r:1", "D5:1 D5:1"},
     "0 G7 100"},
    // C and B alone name nothing; the next measure's E and G make them CM7.
    {"a thin measure read with the next",
     {"C3:4 C3:4", "B3:4 E4:4", "r:4 G4:4"},
     "0 CM7 100 | 4 C 100"},
    // One sound through a beat keeps the search's name; weighing would
    // rather take the D in as Cadd9.
    {"static beat", {"D3:1", "C4:1", "E4:1", "G4:1"}, "0 C/D 100"},
    // The same pitch classes spelled in each key in force.
    {"key change",
     {"Ab3:4 G#3:4", "C4:4 B3:4", "Eb4:4 D#4:4"},
     "0 A♭ 100 | 4 G♯m 100",
     {0, 4, 4},
     0,
     {{0, 0, false}, {4, 4, false}}},
    // F A C D is F6, its D an added sixth, over F, A or C; Dm7 over D, or
    // where its D outlasts its C.
    {"F6, not Dm7/F", {"F3:1", "A4:1", "C5:1", "D5:1/2 r:1/2"}, "0 F6 100"},
    {"Dm7/F where the D outlasts the C", {"F3:1", "A4:1/2 C5:1/2", "D5:1"}, "0 Dm7/F 100"},
    // Only what sounds in the step counts: a D held on into G is short in F6.
    {"an added sixth held into the next chord",
     {"F3:1 G2:1", "A4:1 B4:1", "C5:1 G4:1", "D5:2"},
     "0 F6 100 | 1 G 100"},
    {"Dm7 over its fifth or seventh is F6",
     {"D3:1 A2:1 C3:1", "F4:1 F4:1 F4:1", "A4:1 C5:1 A4:1", "C5:1 D5:1/2 r:1/2 D5:1/2 r:1/2"},
     "0 Dm7 100 | 1 F6/A 100 | 2 F6/C 100"},
    // C E♭ G A is A's half-diminished seventh over its third, not Cm6.
    {"a minor sixth chord is a half-diminished seventh",
     {"C3:1", "Eb4:1/2 G4:1/2", "A4:1"},
     "0 Am7(♭5)/C 100"},
    // D F G over D: G7 without its third rather than Dm(add4) without its fifth.
    {"a dominant seventh over its fifth",
     {"D3:1 C3:1", "F4:1 E4:1", "G4:1 G4:1"},
     "0 G7/D 75 | 1 C 100"},
    // With its fifth A it is Dm(add4) still.
    {"a minor triad with an added fourth", {"D3:1", "F4:1", "G4:1", "A4:1"}, "0 Dm(add4) 100"},
    // Two tones a sixth apart are a triad's first inversion: two tones name
    // no augmented triad, sus or added chord.
    {"a minor sixth over the bass", {"A2:1", "F4:1/2 F4:1/2"}, "0 F/A 67"},
    // F G C over F: Fsus2 stands on the bass, Csus4 comes first in the list.
    {"root on the bass wins a tie", {"F3:1", "C4:1/2 G4:1/2"}, "0 Fsus2 100"},
};

TEST(Harmony, HandMadeProgressions)
{
    for (const Progression &p : kProgressions) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(chart(analyse(shippedList(), pieceOf(p))), p.expected);
    }
}

TEST(Harmony, ExactMatchesOnlyNamesNothingBelowAHundred)
{
    // Every way a step gets its chord (a beat, a window, a chord held on)
    // stays at the threshold; a held chord that lost a tone falls silent.
    std::vector<Progression> cases(std::begin(kProgressions), std::end(kProgressions));
    cases.push_back(
        {"a held chord that lost its fifth", {"C3:2", "E4:2", "G4:1", "C5:1 D5:1/2 B4:1/2"}, ""});
    for (const Progression &p : cases) {
        SCOPED_TRACE(p.name);
        const Analysis analysis = analyse(shippedList(), pieceOf(p), 100);
        for (const Step &step : analysis.steps)
            EXPECT_TRUE(!step.chord || step.rate == 100) << chart(analysis);
    }
    const Analysis lost = analyse(shippedList(), pieceOf(cases.back()), 100);
    ASSERT_EQ(lost.steps.size(), 2u);
    EXPECT_FALSE(lost.steps[1].chord);
}

TEST(Harmony, BadPiecesAreRefusedWithTheirEntry)
{
    const auto note = [](Fraction start, Fraction end, int pitch) {
        return PieceNote{start, end, pitch, 0};
    };
    struct Case {
        Piece piece;
        PieceError error;
        size_t where;
    };
    const Case cases[] = {
        {{{note(0, 1, 60), note(2, 1, 62)}, {}, 4, {}, {}}, PieceError::NoteEndsBeforeStart, 1},
        {{{note(0, 1, 128)}, {}, 4, {}, {}}, PieceError::PitchOutOfRange, 0},
        {{{note(0, 1, 60)}, {1, 5}, 5, {}, {}}, PieceError::NoteBeforeFirstMeasure, 0},
        {{{}, {0, 4, 2}, 8, {}, {}}, PieceError::MeasuresOutOfOrder, 2},
        {{{}, {0}, 4, {{0, 4, 4}, {2, 3, 6}}, {}}, PieceError::BadMeter, 1},
        {{{}, {0}, 4, {}, {{0, 8, false}}}, PieceError::BadKey, 0},
        {{{note(Fraction(1, 2147483647), Fraction(1, 3), 60),
           note(Fraction(1, 3) + Fraction(1, 2147483629), Fraction(2, 3), 64),
           note(Fraction(2, 3) + Fraction(1, 2147483587), 1, 67)},
          {0},
          4,
          {},
          {}},
         PieceError::TimeTooFine,
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.error));
        const Analysis analysis = analyse(shippedList(), c.piece);
        EXPECT_EQ(analysis.error, c.error);
        EXPECT_EQ(analysis.where, c.where);
        EXPECT_TRUE(analysis.steps.empty());
        EXPECT_FALSE(englishMessage(analysis).empty());
    }
}

TEST(Harmony, EqualChordsGoByListOrder)
{
    // A broken chord, so that the beat is weighed rather than searched.
    Piece piece{{{0, Fraction(1, 3), 48, 0},
                 {Fraction(1, 3), Fraction(2, 3), 64, 0},
                 {Fraction(2, 3), 1, 67, 0}},
                {0},
                1,
                {},
                {}};
    const ChordTable table = ChordTable::fromText("late:1,5,8,12\nfirst:1,5,8\nsecond:1,5,8\n");
    EXPECT_EQ(chart(analyse(table, piece)), "0 Cfirst 100");
}
