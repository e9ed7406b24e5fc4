#include "findcommand.h"

#include "resulttext.h"
#include "score.h"
#include "textdecode.h"
#include "tonesynth.h"
#include "voicing.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <istream>
#include <ostream>

namespace chordvane::cli {

namespace {

constexpr std::string_view kVersion = CHORDVANE_VERSION;
constexpr std::string_view kUsage =
    "usage: chordvane-find [--list FILE | --no-jazz] [--rate N] [--rank] [--just]\n"
    "                      [--wav FILE [--sound NAME] [--soundfont FILE]] BASS [NOTE ...]\n"
    "       chordvane-find [--list FILE | --no-jazz] [--rate N] [--rank] [--just] --batch < FILE\n"
    "       chordvane-find [--list FILE | --no-jazz] [--rate N] --score FILE\n"
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
    "  --sound NAME the instrument of --wav: piano (default), organ, strings, brass\n"
    "  --soundfont FILE  the SoundFont (.sf2, .sf3) of --wav instead\n"
    "  --batch      read one query a line from standard input, bass first;\n"
    "               blank lines and lines starting with # are skipped\n"
    "  --score FILE read a MusicXML score (.musicxml, .xml or compressed .mxl) and\n"
    "               print one line per moment at which a note starts:\n"
    "               MEASURE<TAB>BEAT<TAB>NOTES<TAB>CHORD<TAB>RATE\n"
    "               BEAT counts quarter notes from 1 at the bar line; NOTES are the\n"
    "               sounding notes at concert pitch as MIDI keys (60 = middle C),\n"
    "               lowest first; CHORD and RATE are the best-rated chord, or - and -\n"
    "\n"
    "Exit status: 0 results found, 1 none (no file is written), 2 usage error,\n"
    "unreadable chord list, no SoundFont or a file that cannot be written.\n"
    "With --score: 0 when the score was read, chords found or not; 2 when the\n"
    "score or the chord list could not be read.\n";

constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

int letterValue(char c)
{
    switch (c) {
    case 'C':
    case 'c':
        return 1;
    case 'D':
    case 'd':
        return 3;
    case 'E':
    case 'e':
        return 5;
    case 'F':
    case 'f':
        return 6;
    case 'G':
    case 'g':
        return 8;
    case 'A':
    case 'a':
        return 10;
    case 'B':
    case 'b':
    case 'H':
    case 'h':
        return 12;
    default:
        return 0;
    }
}

struct Options {
    std::string listPath;
    std::string scorePath;
    bool scoreGiven = false;
    bool noJazz = false;
    bool listGiven = false;
    int rate = 65;
    bool rank = false;
    bool just = false;
    std::string wavPath;
    bool wavGiven = false;
    std::string soundFont;
    sound::ChordSound chordSound = sound::ChordSound::Piano;
    bool batch = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> notes;
};

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

// Returns an error message, empty when the arguments are fine.
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
                                name == "--wav" || name == "--sound" || name == "--soundfont";
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
        } else if (name == "--rate") {
            const auto rate = parseRate(*value);
            if (!rate)
                return "--rate takes a whole number from 1 to 100, not " + quoteForMessage(*value);
            options.rate = *rate;
        } else if (name == "--wav") {
            options.wavPath = *value;
            options.wavGiven = true;
        } else if (name == "--soundfont") {
            options.soundFont = *value;
        } else if (name == "--sound") {
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
    if (options.scoreGiven && (options.batch || options.just || !options.notes.empty()))
        return "--score takes no notes, --batch or --just";
    if (options.wavGiven && (options.batch || options.scoreGiven))
        return "--wav sounds one chord: not with --batch or --score";
    return {};
}

void appendIndented(std::string_view text, std::string &out)
{
    while (!text.empty()) {
        const size_t end = text.find('\n');
        out += "  ";
        out += text.substr(0, end + 1);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

int usageError(std::ostream &err, const std::string &message)
{
    err << "chordvane-find: " << message << '\n' << kUsage;
    return kExitError;
}

// The chords that notes (bass first) spell, ranked when asked, at most as
// many as the results window lists. request and found are the caller's, so
// that a batch keeps their memory from one query to the next.
void search(const ChordTable &table, const Options &options, const std::vector<int> &notes,
            SearchRequest &request, std::vector<ChordMatch> &found)
{
    request.bass = notes.front();
    request.notes.assign(notes.begin() + 1, notes.end());
    request.threshold = options.rate;
    findChords(table, request, found);
    if (options.rank)
        rankByMatchRate(table, found);
    if (found.size() > static_cast<size_t>(kResultSlots))
        found.resize(kResultSlots);
}

// One line per chord found over bass ("Em on C\t67"), each followed by its
// just-intonation lines when just is set.
void appendResults(const ChordTable &table, const std::vector<ChordMatch> &found, int bass,
                   bool just, std::string &out)
{
    const int bassClass = FoldIntoOctave(bass, 1);
    for (const ChordMatch &match : found) {
        appendResultLine(out, table, match, bassClass);
        out += '\t';
        out += std::to_string(match.rate);
        out += '\n';
        if (just) {
            const int root = match.root == NO_NOTE ? bassClass : match.root;
            appendIndented(justTableText(table.row(match.chord), root, "\n"), out);
        }
    }
}

// Control characters from the file (a tab in a measure number, a newline in
// a message) must not break the line format or drive the terminal.
std::string printable(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = u'?';
    }
    return text.toStdString();
}

int analyseScore(const ChordTable &table, const Options &options, std::ostream &out,
                 std::ostream &err)
{
    const score::ReadResult read =
        score::readScoreFile(QFile::decodeName(options.scorePath.c_str()));
    if (!read.ok) {
        err << "chordvane-find: cannot read the score " << quoteForMessage(options.scorePath)
            << ": " << printable(read.error) << '\n';
        return kExitError;
    }
    std::string buffer;
    for (const score::Moment &moment : score::scoreMoments(read.score)) {
        buffer += printable(moment.measureNumber);
        buffer += '\t';
        buffer += score::beatText(moment.beat);
        buffer += '\t';
        for (size_t i = 0; i < moment.sounding.size(); ++i) {
            if (i > 0)
                buffer += ' ';
            buffer += std::to_string(moment.sounding[i]);
        }
        const auto chord = score::nameChord(table, moment.sounding, options.rate);
        buffer += chord ? '\t' + chord->name + '\t' + std::to_string(chord->rate) : "\t-\t-";
        buffer += '\n';
        if (buffer.size() > 1 << 16) {
            out << buffer;
            buffer.clear();
        }
    }
    out << buffer;
    return kExitFound;
}

// The first chord found, laid out as the results window plays it.
int writeWav(const ChordTable &table, const ChordMatch &match, int bass, const Options &options,
             std::ostream &err)
{
    std::string soundFont = options.soundFont;
    if (soundFont.empty()) {
        soundFont = sound::findSoundFont(sound::soundFontFolders(), [](const std::string &path) {
            std::error_code error;
            return std::filesystem::is_regular_file(path, error);
        });
    }
    if (soundFont.empty()) {
        err << "chordvane-find: no General MIDI SoundFont in /usr/share/sounds/sf2 or sf3; "
               "install fluid-soundfont-gm\n";
        return kExitError;
    }
    const int bassClass = FoldIntoOctave(bass, 1);
    const int root = match.root == NO_NOTE ? bassClass : match.root;
    const auto tones = sound::layOutChord(root, table.row(match.chord), bassClass,
                                          options.just ? sound::Tuning::Just : sound::Tuning::Equal,
                                          programOf(options.chordSound));
    switch (sound::renderWav(soundFont, tones, sound::kPlaySeconds, options.wavPath)) {
    case sound::WavResult::Written:
        return kExitFound;
    case sound::WavResult::BadSoundFont:
        err << "chordvane-find: cannot read the SoundFont " << quoteForMessage(soundFont) << '\n';
        break;
    case sound::WavResult::CannotWrite:
        err << "chordvane-find: cannot write " << quoteForMessage(options.wavPath) << '\n';
        break;
    }
    return kExitError;
}

} // namespace

std::optional<int> parseNoteToken(std::string_view token)
{
    if (token.empty())
        return std::nullopt;
    if (const int letter = letterValue(token.front())) {
        long value = letter;
        token.remove_prefix(1);
        while (!token.empty()) {
            if (token.front() == '#' || token.front() == 'b') {
                value += token.front() == '#' ? 1 : -1;
                token.remove_prefix(1);
            } else if (token.substr(0, 3) == "♯" || token.substr(0, 3) == "♭") {
                value += token.substr(0, 3) == "♯" ? 1 : -1;
                token.remove_prefix(3);
            } else {
                return std::nullopt;
            }
        }
        // Only the pitch class matters, and folding keeps a long run of
        // accidentals from reaching the empty marker or overflowing.
        return FoldIntoOctave(static_cast<int>(value % 12), 1);
    }
    std::string_view digits = token;
    if (digits.front() == '+' || digits.front() == '-')
        digits.remove_prefix(1);
    if (digits.empty())
        return std::nullopt;
    int magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = std::min(magnitude * 10 + (c - '0'), 1'000'000); // out of range anyway
    }
    const int value = token.front() == '-' ? -magnitude : magnitude;
    if (value < -32768 || value > 32767 || value == NO_NOTE)
        return std::nullopt;
    return value;
}

BatchLine parseBatchLine(std::string_view line)
{
    BatchLine result;
    result.notes.reserve(kMaxNotes);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (!line.empty() && line.front() == '#')
        return result;
    while (!line.empty()) {
        while (!line.empty() && isBlank(line.front()))
            line.remove_prefix(1);
        size_t length = 0;
        while (length < line.size() && !isBlank(line[length]))
            ++length;
        if (length == 0)
            break;
        const std::string_view token = line.substr(0, length);
        line.remove_prefix(length);
        const auto note = parseNoteToken(token);
        if (!note) {
            result.kind = BatchLine::Kind::Bad;
            result.error = "bad note " + quoteForMessage(token);
            return result;
        }
        result.notes.push_back(*note);
    }
    if (result.notes.empty())
        return result;
    if (result.notes.size() > static_cast<size_t>(kMaxNotes)) {
        result.kind = BatchLine::Kind::Bad;
        result.error = "more than " + std::to_string(kMaxNotes) + " notes";
        return result;
    }
    result.kind = BatchLine::Kind::Query;
    return result;
}

int runFind(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
            std::ostream &err, const std::string &dataFolder)
{
    Options options;
    if (const std::string error = parseOptions(args, options); !error.empty())
        return usageError(err, error);
    if (options.help) {
        out << kUsage << '\n' << kHelp;
        return kExitFound;
    }
    if (options.version) {
        out << "chordvane-find " << kVersion << '\n';
        return kExitFound;
    }

    std::vector<int> notes;
    if (options.scoreGiven) {
        // Read below, once the chord list is.
    } else if (options.batch) {
        if (!options.notes.empty())
            return usageError(err, "--batch reads its notes from standard input");
    } else {
        if (options.notes.empty())
            return usageError(err, "no bass note given");
        if (options.notes.size() > static_cast<size_t>(kMaxNotes))
            return usageError(err, "at most 11 notes besides the bass");
        for (const std::string &token : options.notes) {
            const auto note = parseNoteToken(token);
            if (!note)
                return usageError(err, "bad note " + quoteForMessage(token));
            notes.push_back(*note);
        }
    }

    if (!options.listGiven)
        options.listPath = joinPath(dataFolder, options.noJazz ? kPlainListName : kFullListName);
    ChordNameTable names;
    ChordIntervalTable intervals;
    if (!FileSystemHost(dataFolder).fileExists(options.listPath) ||
        !readChordListFile(options.listPath, names, intervals)) {
        err << "chordvane-find: cannot read the chord list " << quoteForMessage(options.listPath)
            << '\n';
        return kExitError;
    }
    const ChordTable table(names, intervals);
    if (options.scoreGiven)
        return analyseScore(table, options, out, err);

    std::string buffer;
    SearchRequest request;
    std::vector<ChordMatch> found;
    if (!options.batch) {
        search(table, options, notes, request, found);
        appendResults(table, found, notes.front(), options.just, buffer);
        out << buffer;
        if (found.empty())
            return kExitNothing;
        return options.wavGiven ? writeWav(table, found.front(), notes.front(), options, err)
                                : kExitFound;
    }

    bool anyBad = false;
    std::string line;
    long lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const BatchLine query = parseBatchLine(line);
        if (query.kind == BatchLine::Kind::Skip)
            continue;
        if (query.kind == BatchLine::Kind::Bad) {
            anyBad = true;
            buffer += '\n';
            err << "chordvane-find: line " << lineNumber << ": " << query.error << '\n';
            continue;
        }
        search(table, options, query.notes, request, found);
        appendResults(table, found, query.notes.front(), options.just, buffer);
        buffer += '\n';
        if (buffer.size() > 1 << 16) {
            out << buffer;
            buffer.clear();
        }
    }
    out << buffer;
    return anyBad ? kExitError : kExitFound;
}

} // namespace chordvane::cli
