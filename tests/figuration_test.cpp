// What the harmony leaves out of a chord, passage by passage: passing and
// neighbour notes, suspensions, appoggiaturas, escape tones.
#include "harmony.h"
#include "progressiontesting.h"

#include <gtest/gtest.h>

using namespace chordvane;
using namespace chordvane::harmony;
using chordvane::test::chart;
using chordvane::test::pieceOf;
using chordvane::test::Progression;
using chordvane::test::shippedList;

namespace {

const Progression kPassages[] = {
    // Without leaving F out, Cadd4 would explain every note.
    {"upper passing note", {"E5:1/2 F5:1/2 G5:1", "G4:2", "E4:2", "C3:2"}, "0 C 100"},
    // Without leaving F♯ out, GM7 would.
    {"lower neighbour in the bass", {"D5:2", "B4:2", "G4:2", "G2:1/2 F#2:1/2 G2:1"}, "0 G 100"},
    // An upper neighbour on its own and a seventh held below: G7, not G.
    {"a class is figuration only when all its notes are",
     {"G5:1/2 F5:1/2 G5:1", "D4:1/2 F4:3/2", "B3:2", "G2:2"},
     "0 G7 100"},
    // Steps on the downbeat are no passing notes: F over G2 makes G7.
    {"a step on the downbeat is harmony",
     {"r:3 E5:1 F5:1 E5:3", "r:3 C5:1 B4:1 C5:3", "r:3 G4:1 G4:1 G4:3", "r:3 C3:1 G2:1 C3:3"},
     "0 N.C. 0 | 3 C 100 | 4 G7 75 | 5 C 100"},
    // D and F pass between bass notes; E, on the stronger beat, is the bass.
    // The G alone in the next measure walks on in the same chord.
    {"walking bass", {"C3:1 D3:1 E3:1 F3:1 G3:1", "E4:4", "G4:4", "C5:4"}, "0 C 100 | 2 C/E 100"},
    // C held over the bass's G resolves to B: G, not Gsus4; rated on D and G alone.
    {"suspension 4-3",
     {"C5:3/2 B4:1/2 C5:2", "E4:1 G4:1 G4:2", "G3:1 D4:1 E4:2", "C3:1 G2:1 C3:2"},
     "0 C 100 | 1 G 67 | 2 C 100"},
    {"suspension struck again",
     {"C5:1 C5:1/2 B4:1/2 C5:2", "E4:1 G4:1 G4:2", "G3:1 D4:1 E4:2", "C3:1 G2:1 C3:2"},
     "0 C 100 | 1 G 67 | 2 C 100"},
    // With nothing a second or seventh away, a fourth over the bass still
    // makes it one.
    {"suspension struck again over the bass alone",
     {"C5:1 C5:1/2 B4:1/2 G4:2", "G4:1 G3:1 E4:2", "E4:1 r:1 C4:2", "C3:1 G2:1 C3:2"},
     "0 C 100 | 1 G 67 | 2 C 100"},
    // The upper voices strike F A again and fall to E G with the bass: the
    // chord moves, no suspension (not C/F).
    {"a chord struck again before it moves",
     {"F3:1 F3:1 F3:1 F3:2 C3:1", "C4:1 C4:1 C4:1 C4:2 C4:1", "F4:1 F4:1 F4:1 F4:2 E4:1",
      "A4:1 A4:1 A4:1 A4:2 G4:1"},
     "0 F 100 | 5 C 100",
     {0, 3, 4}},
    // A dotted D on a beat of 2/2, reached from E♭, turns on a sixteenth
    // E♭: the D is the chord's own, not an accented neighbour.
    {"a long accented note that turns on a short one",
     {"F2:2 Bb2:2 F2:2", "A3:2 F3:2 A3:2", "C5:3/2 Eb5:1/2 D5:3/2 Eb5:1/4 D5:1/4 C5:2"},
     "0 F 100 | 2 B♭ 100 | 4 F 100",
     {0, 2, 2}},
    // The F on the downbeat falls to E, the chord's third: no Csus4.
    {"appoggiatura", {"F5:1 E5:1 r:2", "G4:2 r:2", "C4:2 r:2", "C3:2 r:2"}, "0 C 100"},
    // 3 + 2: the A on the fifth beat is weaker than the G on the fourth.
    {"neighbour in the bass of 5/4",
     {"C3:3 G2:1 A2:1 G2:5", "E4:3 F4:7", "G4:3 B3:7", "C5:3 D5:7"},
     "0 C 100 | 3 G7 100",
     {0, 5, 4}},
    // The third note of a triplet is as weak as the second, and passes.
    {"passing notes in a triplet of 3/4",
     {"C5:1 D5:1/3 E5:1/3 F5:1/3 G5:1", "E4:1 E4:1 E4:1", "G3:1 G3:1 G3:1", "C3:1 C3:1 C3:1"},
     "0 C 100",
     {0, 3, 4}},
    // A short weak note that no passing or neighbour motion explains is a
    // chord tone unless it clashes with what sounds: the D over F, reached
    // by a leap or a step, makes F6; the B against the bass C is left out.
    {"a consonant note reached by a leap",
     {"F3:1 r:2", "A4:1/2 D5:1/4 C5:1/4 r:2"},
     "0 F6 100",
     {0, 3, 4}},
    {"a consonant note reached by a step",
     {"F3:1 r:2", "C5:1/2 D5:1/4 A4:1/4 r:2"},
     "0 F6 100",
     {0, 3, 4}},
    {"a clashing note reached by a leap",
     {"C3:1 r:2", "G4:1/2 B4:1/4 C5:1/4 r:2", "E4:1 r:2"},
     "0 C 100",
     {0, 3, 4}},
    // D on the beat, reached by a step, goes on to C or E: an accented
    // passing note, left out like an appoggiatura (no Cadd9).
    {"an accented passing note",
     {"C3:1 C3:1", "E4:1 E4:1", "r:1/2 E5:1/2 D5:3/4 C5:1/4"},
     "0 C 67"},
    {"an accented passing note rising",
     {"C3:1 C3:1", "E4:1 E4:1", "r:1/2 C5:1/2 D5:3/4 E5:1/4"},
     "0 C 67"},
    // B on the second eighth follows a weaker C, yet it clashes with A
    // and passes on to the beat: no Bm7(♭5).
    {"a clashing passing note after a weaker one",
     {"D3:2", "F4:2", "A4:2", "D5:1/4 C5:1/4 B4:1/2 A4:1"},
     "0 Dm 100"},
    // F after a rest, off the beat, clashes with E and falls to it: an
    // incomplete neighbour, no Cadd4.
    {"a clashing note after a rest", {"C3:2", "E4:2", "G4:2", "r:1/2 F5:1/2 E5:1"}, "0 C 100"},
    // A over C and E is consonant, yet it only neighbours G: no C6.
    {"a consonant accented neighbour note",
     {"C3:1 C3:1", "E4:1 E4:1", "r:1/2 G4:1/2 A4:1/2 G4:1/2"},
     "0 C 100"},
    // A dotted A that turns back on a sixteenth G is held as harmony: A C E G.
    {"a long accented neighbour note",
     {"C3:1 C3:1", "E4:1 E4:1", "r:1/2 G4:1/2 A4:3/4 G4:1/4"},
     "0 C 100 | 1 Am7/C 100"},
};

} // namespace

TEST(Figuration, HandMadePassages)
{
    for (const Progression &p : kPassages) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(chart(analyse(shippedList(), pieceOf(p))), p.expected);
        // Exact matches only: whatever is left out, no named step falls short.
        for (const Step &step : analyse(shippedList(), pieceOf(p), 100).steps)
            EXPECT_TRUE(!step.chord || step.rate == 100);
    }
}
