#pragma once

// The pieces of chordvane-find and its companion programs that runFind puts
// together; not for other targets.

#include "engine.h"
#include "voicing.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace chordvane::cli {

struct Options {
    std::string listPath;
    std::string scorePath;
    bool scoreGiven = false;
    bool chart = false;
    bool tuning = false;
    JustSeventh seventh = JustSeventh::NineFive; // the minor seventh of --tuning
    bool seventhGiven = false;
    std::string annotatePath;
    bool annotateGiven = false;
    std::string annotatePart; // --annotate-part: a part's id or number from 1
    std::string transposeFor; // --transpose-for: Bb, Eb, F, A or C; empty for concert
    bool textChart = false;   // --format text
    std::string pdfPath;      // --pdf
    bool pdfGiven = false;
    bool noJazz = false;
    bool listGiven = false;
    int rate = 65;
    bool rank = false;
    bool just = false;
    std::string wavPath;
    bool wavGiven = false;
    std::string soundFont;
    bool soundGiven = false; // --sound or --soundfont
    sound::ChordSound chordSound = sound::ChordSound::Piano;
    bool batch = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> notes;
};

// Fills options from the arguments; returns an error message, empty when
// the arguments are fine.
std::string parseOptions(const std::vector<std::string> &args, Options &options);
// Every score option needs --score and every sound option --wav, as
// parseOptions insists, so that one added later goes the same way.
inline bool needsScores(const Options &options)
{
    return options.scoreGiven;
}
inline bool needsSound(const Options &options)
{
    return options.wavGiven;
}

// What a command does once its arguments and the chord list are read; notes:
// a query's, bass first.
using Work = int (*)(const ChordTable &table, const Options &options, const std::vector<int> &notes,
                     std::istream &in, std::ostream &out, std::ostream &err);
// The steps every command shares (the arguments; --help and --version; a
// query's notes; the chord list, by default the one in dataFolder), then work.
int runCommand(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
               std::ostream &err, const std::string &dataFolder, Work work);
// A query or --batch.
int queryWork(const ChordTable &table, const Options &options, const std::vector<int> &notes,
              std::istream &in, std::ostream &out, std::ostream &err);
// --score, alone or with --chart, --annotate or --tuning; else as queryWork.
int scoreWork(const ChordTable &table, const Options &options, const std::vector<int> &notes,
              std::istream &in, std::ostream &out, std::ostream &err);
// A query with --wav; else as queryWork.
int soundWork(const ChordTable &table, const Options &options, const std::vector<int> &notes,
              std::istream &in, std::ostream &out, std::ostream &err);
// A companion program's main: the command with work, its chord lists found
// from the folder of program, the companion's own.
int companionMain(int argc, char **argv, const char *program, Work work);
// The message and the usage to err; returns the usage error's exit status.
int usageError(std::ostream &err, const std::string &message);
void printHelp(std::ostream &out);
void printVersion(std::ostream &out);

// One query given on the command line (bass first): its lines to out; the
// chords listed.
std::vector<ChordMatch> listChords(const ChordTable &table, const Options &options,
                                   const std::vector<int> &notes, std::ostream &out);
// One query a line from in.
int runBatch(const ChordTable &table, const Options &options, std::istream &in, std::ostream &out,
             std::ostream &err);
// --score: one line per moment of the score.
int analyseScore(const ChordTable &table, const Options &options, std::ostream &out,
                 std::ostream &err);
// --chart: one line per harmonic step of the score; with --annotate, after
// writing the score with its chord symbols.
int chartScore(const ChordTable &table, const Options &options, std::ostream &out,
               std::ostream &err);
// --tuning: one line per note sounding at each harmonic step of the score,
// with its degree in the step's chord and the cents to move it.
int tuneScore(const ChordTable &table, const Options &options, std::ostream &out,
              std::ostream &err);
// --wav: the chord found over bass, laid out as the results window plays it.
int writeWav(const ChordTable &table, const ChordMatch &match, int bass, const Options &options,
             std::ostream &err);

} // namespace chordvane::cli
