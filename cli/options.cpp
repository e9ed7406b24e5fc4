#include "findcommand.h"
#include "findparts.h"

#include "textdecode.h"

#include <charconv>
#include <ostream>

namespace chordvane::cli {

namespace {

constexpr std::string_view kVersion = CHORDVANE_VERSION;
constexpr std::string_view kUsage =
    "usage: chordvane-find [--list FILE | --no-jazz] [--rate N] [--rank] [--just]\n"
    "                      [--wav FILE [--sound NAME] [--soundfont FILE]] BASS [NOTE ...]\n"
    "       chordvane-find [--list FILE | --no-jazz] [--rate N] [--rank] [--just] --batch < FILE\n"
    "       chordvane-find [--list FILE | --no-jazz] [--rate N] --score FILE\n"
    "                      [--chart [--format text] [--pdf FILE]\n"
    "                               [--transpose-for Bb|Eb|F|A|D|G|C]\n"
    "                       | --annotate OUT [--annotate-part PART] | --tuning [--seventh RATIO]]\n"
    "       chordvane-find --help | --version\n";
constexpr std::string_view kHelp =
    "Names every chord that the notes can spell over the bass, one per line with\n"
    "its match rate in percent.\n"
    "\n"
    "  BASS, NOTE   C, C#, Db, d♭, F♯, Bb, H ... or a note number (C = 1, C# = 2 ...)\n"
    "  --list FILE  read the chord list FILE (default: CodeList.txt beside the program)\n"
    "  --no-jazz    read CodeListB.txt, the list without jazz chords\n"
    "  --rate N     smallest match rate listed, 1 to 100 (default 65; 100 = exact)\n"
    "  --rank       list the chords by match rate, highest first (equal rates\n"
    "               in the order found)\n"
    "  --just       print each chord's just-intonation table in cents (with --wav:\n"
    "               and sound the chord in just intonation)\n"
    "  --wav FILE   also write the first chord listed to FILE as it is played: the\n"
    "               root in the octave from middle C up, the other tones above it,\n"
    "               the bass in the octave below (2 seconds, 44.1 kHz, 16-bit\n"
    "               stereo), with a General MIDI SoundFont from /usr/share/sounds\n"
    "               (--wav once, not with --batch or --score; FILE is replaced\n"
    "               whole or not at all, and must be a regular file if it exists)\n"
    "  --sound NAME the instrument of --wav: piano (default), organ, strings, brass\n"
    "  --soundfont FILE  the SoundFont (.sf2, .sf3) of --wav instead\n"
    "               (--sound and --soundfont only with --wav)\n"
    "  --batch      read one query a line from standard input, bass first;\n"
    "               blank lines and lines starting with # are skipped; a bad line\n"
    "               or one over 64 KiB is reported with its number and skipped\n"
    "  --score FILE read a MusicXML score (.musicxml, .xml or compressed .mxl) or a\n"
    "               Standard MIDI File (.mid, formats 0 and 1: a part per track, in\n"
    "               format 0 per channel, channel 10 left out) and print one line\n"
    "               per moment at which a note starts:\n"
    "               MEASURE<TAB>BEAT<TAB>NOTES<TAB>CHORD<TAB>RATE\n"
    "               MEASURE is the number as written, cut after 40 characters (…);\n"
    "               BEAT counts quarter notes from 1 at the bar line; NOTES are the\n"
    "               sounding notes at concert pitch as MIDI keys (60 = middle C),\n"
    "               lowest first; CHORD and RATE are the best-rated chord, or - and -\n"
    "  --chart      with --score: print the harmony instead, one line per harmonic\n"
    "               step (beats with one chord, passing notes and suspensions left\n"
    "               out): MEASURE<TAB>BEAT<TAB>CHORD<TAB>RATE<TAB>SYMBOL\n"
    "               MEASURE and BEAT as above, at the step's start; CHORD as the\n"
    "               results window writes it; SYMBOL spelled as the score spells\n"
    "               it, else in the key in force (A♭/C, not G♯/C); a step under\n"
    "               --rate, or a line alone, prints -, - and N.C.\n"
    "  --format text  with --chart: print the chart as a music stand shows it\n"
    "               instead: the title, the key and time signature at the start\n"
    "               and at each change, four measures a line between bar lines,\n"
    "               each symbol at its beat, N.C. where no chord sounds, % for a\n"
    "               measure that keeps the chord before it\n"
    "  --pdf FILE   with --chart: also write that chart to FILE as a PDF (A4, or\n"
    "               Letter where the locale measures in inches), replaced whole\n"
    "               or not at all\n"
    "  --transpose-for Bb|Eb|F|A|D|G|C  with --chart: SYMBOL as a player of that\n"
    "               instrument reads it, moved from concert pitch to its written\n"
    "               pitch by letters as well as semitones (concert E♭ is F for Bb\n"
    "               and C for Eb); CHORD stays at concert pitch\n"
    "  --annotate OUT  with --score: write a copy of the score to OUT with one\n"
    "               chord symbol (<harmony>) per step with a chord in the first\n"
    "               part that is not percussion or tablature, at that part's written\n"
    "               pitch, and print the lines of --chart; OUT ending in .mxl is\n"
    "               compressed, .musicxml or .xml plain; OUT must not be the score,\n"
    "               which must be MusicXML (a MIDI file has no notation to write in)\n"
    "  --annotate-part PART  with --annotate: write into the part with that id\n"
    "               (P2) or number in score order (2) instead\n"
    "  --tuning     with --score: what to tell each player, one line per note\n"
    "               sounding at each harmonic step's first attack:\n"
    "               MEASURE<TAB>BEAT<TAB>SYMBOL<TAB>PART<TAB>WRITTEN<TAB>CONCERT<TAB>\n"
    "               DEGREE<TAB>CENTS\n"
    "               parts in score order, each from its highest note down; MEASURE,\n"
    "               BEAT and SYMBOL as --chart prints them; PART the part's name,\n"
    "               equal names numbered (Trombone 1, Trombone 2), cut as MEASURE;\n"
    "               WRITTEN the note as the part writes it (transposed: F5, B♭3),\n"
    "               CONCERT the sounding note spelled in the concert key (a chord\n"
    "               tone outside it as the chord's symbol spells it: G♯, the third\n"
    "               of E7 in C); DEGREE in the step's chord (1, ♭3, 3, 5, ♭7, 9 ...)\n"
    "               and CENTS from the just-intonation table (+2 raise, -13.7\n"
    "               lower); - and - for a note that is no chord tone; DEGREE unison\n"
    "               and CENTS - where the notes sounding are of one pitch class (a\n"
    "               note alone too), no chord and - where the step has no chord;\n"
    "               CENTS fixed for a part that cannot bend its pitch (keyboards,\n"
    "               mallets, harp, guitar, organ: by its MIDI program, else name)\n"
    "  --seventh RATIO  with --tuning: the just minor seventh, 9:5 (default, the\n"
    "               just table's +17.9), 16:9 (-3.9) or 7:4 (-31.2, the harmonic\n"
    "               seventh)\n"
    "\n"
    "Exit status: 0 results found, 1 none (no file is written), 2 usage error,\n"
    "a chord list that cannot be used (missing, unreadable, no chord line, over\n"
    "64 MiB, UTF-16 without a byte-order mark), no SoundFont or a file that\n"
    "cannot be written.\n"
    "With --score: 0 when the score was read, chords found or not; 2 when the\n"
    "score or the chord list could not be read, the score's harmony cannot be\n"
    "worked out, or the --annotate copy cannot be written or is asked of a MIDI\n"
    "file (nothing is printed).\n";

std::optional<int> parseRate(std::string_view text)
{
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    if (value < 1 || value > 100)
        return std::nullopt;
    return value;
}

} // namespace

std::string parseOptions(const std::vector<std::string> &args, Options &options)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            options.notes.push_back(arg);
            continue;
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (const size_t eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const bool takesValue = name == "--list" || name == "--rate" || name == "--score" ||
                                name == "--annotate" || name == "--wav" || name == "--sound" ||
                                name == "--soundfont" || name == "--transpose-for" ||
                                name == "--format" || name == "--pdf" ||
                                name == "--annotate-part" || name == "--seventh";
        if (takesValue && !value) {
            if (i + 1 >= args.size())
                return name + " needs a value";
            value = args[++i];
        } else if (!takesValue && value) {
            return name + " takes no value";
        }
        if (name == "--list") {
            options.listPath = *value;
            options.listGiven = true;
        } else if (name == "--score") {
            options.scorePath = *value;
            options.scoreGiven = true;
        } else if (name == "--annotate") {
            if (options.annotateGiven)
                return "--annotate given twice: one score is written to one file";
            options.annotatePath = *value;
            options.annotateGiven = true;
        } else if (name == "--annotate-part") {
            if (value->empty())
                return "--annotate-part takes a part's id or number";
            options.annotatePart = *value;
        } else if (name == "--transpose-for") {
            if (value->empty())
                return "--transpose-for takes Bb, Eb, F, A, D, G or C";
            options.transposeFor = *value;
        } else if (name == "--format") {
            if (*value != "text")
                return "--format takes text, not " + quoteForMessage(*value);
            options.textChart = true;
        } else if (name == "--pdf") {
            if (options.pdfGiven)
                return "--pdf given twice: one chart is written to one file";
            options.pdfPath = *value;
            options.pdfGiven = true;
        } else if (name == "--chart") {
            options.chart = true;
        } else if (name == "--tuning") {
            options.tuning = true;
        } else if (name == "--seventh") {
            const std::optional<JustSeventh> seventh = parseSeventh(*value);
            if (!seventh)
                return "--seventh takes 9:5, 16:9 or 7:4, not " + quoteForMessage(*value);
            options.seventh = *seventh;
            options.seventhGiven = true;
        } else if (name == "--rate") {
            const auto rate = parseRate(*value);
            if (!rate)
                return "--rate takes a whole number from 1 to 100, not " + quoteForMessage(*value);
            options.rate = *rate;
        } else if (name == "--wav") {
            if (options.wavGiven)
                return "--wav given twice: one chord is written to one file";
            options.wavPath = *value;
            options.wavGiven = true;
        } else if (name == "--soundfont") {
            options.soundFont = *value;
            options.soundGiven = true;
        } else if (name == "--sound") {
            options.soundGiven = true;
            if (!sound::parseChordSound(*value, options.chordSound))
                return "--sound takes organ, strings, brass or piano, not " +
                       quoteForMessage(*value);
        } else if (name == "--no-jazz") {
            options.noJazz = true;
        } else if (name == "--rank") {
            options.rank = true;
        } else if (name == "--just") {
            options.just = true;
        } else if (name == "--batch") {
            options.batch = true;
        } else if (name == "--help") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else {
            return "unknown option " + quoteForMessage(arg);
        }
    }
    if (options.listGiven && options.noJazz)
        return "--list and --no-jazz cannot be used together";
    if ((options.chart || options.annotateGiven || options.tuning) && !options.scoreGiven)
        return "--chart, --annotate and --tuning read a score: not without --score";
    if (!options.transposeFor.empty() && !options.chart && !options.annotateGiven)
        return "--transpose-for moves the chart's symbols: not without --chart";
    if ((options.textChart || options.pdfGiven) && !options.chart)
        return "--format and --pdf lay out the chart: not without --chart";
    if (!options.annotatePart.empty() && !options.annotateGiven)
        return "--annotate-part chooses where --annotate writes: not without --annotate";
    if (options.seventhGiven && !options.tuning)
        return "--seventh chooses the minor seventh of --tuning: not without --tuning";
    if (options.tuning && (options.chart || options.annotateGiven))
        return "--tuning prints lines of its own: not with --chart or --annotate";
    if (options.scoreGiven && (options.batch || options.just || !options.notes.empty()))
        return "--score takes no notes, --batch or --just";
    if (options.wavGiven && (options.batch || options.scoreGiven))
        return "--wav sounds one chord: not with --batch or --score";
    if (options.soundGiven && !options.wavGiven)
        return "--sound and --soundfont choose how --wav sounds: not without --wav";
    return {};
}

int usageError(std::ostream &err, const std::string &message)
{
    err << "chordvane-find: " << message << '\n' << kUsage;
    return kExitError;
}

void printHelp(std::ostream &out)
{
    out << kUsage << '\n' << kHelp;
}

void printVersion(std::ostream &out)
{
    out << "chordvane-find " << kVersion << '\n';
}

} // namespace chordvane::cli
