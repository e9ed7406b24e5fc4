#include "findcommand.h"
#include "findparts.h"

#include "resulttext.h"
#include "textdecode.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <limits>
#include <ostream>

namespace chordvane::cli {

namespace {

// A batch line is a query of at most twelve notes; a longer line is reported,
// not held, so that input without line breaks cannot fill the memory.
constexpr size_t kMaxBatchLine = 64 * 1024;

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

void appendIndented(std::string_view text, std::string &out)
{
    while (!text.empty()) {
        const size_t end = text.find('\n');
        out += "  ";
        out += text.substr(0, end + 1);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
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
        rankByMatchRate(table, request, found);
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
        // Straight into the buffer: a string for each rate cost 6 % of a batch.
        char line[8] = {'\t'};
        char *end = std::to_chars(line + 1, line + sizeof line - 1, match.rate).ptr;
        *end++ = '\n';
        out.append(line, static_cast<size_t>(end - line));
        if (just) {
            const int root = match.root == NO_NOTE ? bassClass : match.root;
            appendIndented(justTableText(table.row(match.chord), root, "\n"), out);
        }
    }
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

std::vector<ChordMatch> listChords(const ChordTable &table, const Options &options,
                                   const std::vector<int> &notes, std::ostream &out)
{
    SearchRequest request;
    std::vector<ChordMatch> found;
    std::string buffer;
    search(table, options, notes, request, found);
    appendResults(table, found, notes.front(), options.just, buffer);
    out << buffer;
    return found;
}

int queryWork(const ChordTable &table, const Options &options, const std::vector<int> &notes,
              std::istream &in, std::ostream &out, std::ostream &err)
{
    if (options.batch)
        return runBatch(table, options, in, out, err);
    return listChords(table, options, notes, out).empty() ? kExitNothing : kExitFound;
}

int runBatch(const ChordTable &table, const Options &options, std::istream &in, std::ostream &out,
             std::ostream &err)
{
    std::string buffer;
    SearchRequest request;
    std::vector<ChordMatch> found;
    bool anyBad = false;
    std::vector<char> line(kMaxBatchLine + 1); // and the terminating NUL
    long lineNumber = 0;
    while (true) {
        in.getline(line.data(), static_cast<std::streamsize>(line.size()));
        const std::streamsize count = in.gcount();
        if (count == 0 && in.eof())
            break;
        ++lineNumber;
        if (in.fail() && !in.eof()) {
            // Full without a line end: go on past the rest of the line unread.
            in.clear();
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            anyBad = true;
            buffer += '\n';
            err << "chordvane-find: line " << lineNumber << ": longer than 64 KiB\n";
            continue;
        }
        const auto length = static_cast<size_t>(in.eof() ? count : count - 1); // less the '\n'
        const BatchLine query = parseBatchLine(std::string_view(line.data(), length));
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
