// A score's tuning sheet: each step taken at its first attack, its parts
// named as the rows name them and kept once, and the moment the panel shows.
#include "harmonypiece.h"
#include "scoretesting.h"
#include "tuningsheet.h"

#include <gtest/gtest.h>

using namespace chordvane;

namespace {

// Two trombones, a continuo of fixed pitch by its program (an electric
// piano) and a harp by its name, in one measure of 4/4: the first trombone
// holds C4 for three beats, the second comes in on beat 4 with E4; the
// continuo plays G4 on beat 1, the harp rests.
const char *const kScore = R"(<score-partwise version="3.1"><part-list>
<score-part id="A"><part-name>Trombone</part-name></score-part>
<score-part id="B"><part-name>Trombone</part-name></score-part>
<score-part id="K"><part-name>Continuo</part-name>
  <score-instrument id="K1"><instrument-name>Continuo</instrument-name></score-instrument>
  <midi-instrument id="K1"><midi-program>5</midi-program></midi-instrument></score-part>
<score-part id="H"><part-name>Harp</part-name></score-part>
</part-list>
<part id="A"><measure number="7"><attributes><divisions>1</divisions><time><beats>4</beats><beat-type>4</beat-type></time></attributes>
  <note><pitch><step>C</step><octave>4</octave></pitch><duration>3</duration></note>
  <note><rest/><duration>1</duration></note></measure></part>
<part id="B"><measure number="7"><attributes><divisions>1</divisions></attributes>
  <note><rest/><duration>3</duration></note>
  <note><pitch><step>E</step><octave>4</octave></pitch><duration>1</duration></note></measure></part>
<part id="K"><measure number="7"><attributes><divisions>1</divisions></attributes>
  <note><pitch><step>G</step><octave>4</octave></pitch><duration>1</duration></note>
  <note><rest/><duration>3</duration></note></measure></part>
<part id="H"><measure number="7"><attributes><divisions>1</divisions></attributes>
  <note><rest/><duration>4</duration></note></measure></part>
</score-partwise>)";

struct Read {
    score::Score score;
    harmony::Piece piece;
    std::vector<harmony::Step> steps;
};

// Steps by hand: C major from beat 1, then C major again from beat 3,
// whose first attack is the second trombone's on beat 4.
Read readScore()
{
    score::ReadResult read = score::readScoreData(QByteArray(kScore));
    EXPECT_TRUE(read.ok);
    Read r{std::move(read.score), {}, {}};
    r.piece = score::harmonyPiece(r.score);
    harmony::Step first;
    first.chord = harmony::StepChord{0, 0, 0};
    first.symbol = "C";
    harmony::Step second = first;
    second.start = Fraction(2);
    second.symbol = "C/E";
    r.steps = {first, second};
    return r;
}

// "PART NOTE" for each note, in order.
std::vector<std::string> notesOf(const tuning::SheetStep &step,
                                 const std::vector<tuning::SheetPart> &parts)
{
    std::vector<std::string> notes;
    for (const tuning::SheetNote &note : step.notes) {
        const tuning::SheetPart &part = parts.at(note.part);
        notes.push_back(part.name + (part.fixed ? " (fixed) " : " ") +
                        tuning::pitchName(note.note.sounding, 0));
    }
    return notes;
}

} // namespace

TEST(TuningSheet, EachStepIsTakenAtItsFirstAttackUnderTheRowsNames)
{
    const Read r = readScore();
    std::vector<std::string> seen;
    size_t names = 0;
    score::forEachSheetStep(
        r.score, r.piece, r.steps,
        [&](const tuning::SheetStep &step, const std::vector<tuning::SheetPart> &parts) {
            seen.push_back(step.measure + " " + step.beat + " " + step.symbol);
            for (const std::string &note : notesOf(step, parts))
                seen.push_back(note);
            names = parts.size();
        });
    // Beat 3's step sounds from beat 4 on: the first trombone has stopped.
    EXPECT_EQ(seen, (std::vector<std::string>{"7 1 C", "Trombone 1 C4", "Continuo (fixed) G4",
                                              "7 3 C/E", "Trombone 2 E4"}));
    // Every name once, the harp's too, however many steps refer to them.
    EXPECT_EQ(names, 4u);
}

TEST(TuningSheet, FixedPitchGoesByTheProgramElseTheName)
{
    const Read r = readScore();
    score::SheetParts names(r.score);
    const std::vector<std::uint32_t> &at = names.at(Fraction(0));
    std::vector<std::string> said;
    for (const std::uint32_t index : at) {
        const tuning::SheetPart &part = names.parts().at(index);
        said.push_back(part.name + (part.fixed ? " fixed" : ""));
    }
    EXPECT_EQ(said, (std::vector<std::string>{"Trombone 1", "Trombone 2", "Continuo fixed",
                                              "Harp fixed"}));
    // Asked again at another time with the same names, nothing is added.
    names.at(Fraction(3));
    EXPECT_EQ(names.parts().size(), 4u);
}

TEST(TuningSheet, TheMomentShownIsTheRowsNotTheStepsFirstAttack)
{
    const Read r = readScore();
    const std::vector<score::Moment> moments = score::scoreMoments(r.score);
    ASSERT_EQ(moments.size(), 2u); // beats 1 and 4
    std::vector<tuning::SheetPart> parts;
    // Beat 1 lies in the first step: the trombone's C and the continuo's G.
    tuning::SheetStep shown = score::momentSheet(r.score, r.piece, r.steps, 0, moments[0], parts);
    EXPECT_EQ(shown.measure + " " + shown.beat + " " + shown.symbol, "7 1 C");
    EXPECT_EQ(notesOf(shown, parts),
              (std::vector<std::string>{"Trombone 1 C4", "Continuo (fixed) G4"}));
    shown = score::momentSheet(r.score, r.piece, r.steps, 1, moments[1], parts);
    EXPECT_EQ(shown.measure + " " + shown.beat + " " + shown.symbol, "7 4 C/E");
    EXPECT_EQ(notesOf(shown, parts), std::vector<std::string>{"Trombone 2 E4"});
    // Before the first step: no chord.
    shown = score::momentSheet(r.score, r.piece, r.steps, -1, moments[0], parts);
    EXPECT_FALSE(shown.chord.has_value());
}
