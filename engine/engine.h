#pragma once

#include "chordlist.h"
#include "notes.h"
#include "search.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace chordvane {

inline constexpr int kInputSlots = 13;   // input slots 0..12; 11 is the bass row
inline constexpr int kResultSlots = 101; // result slots 0..100

// What the engine needs from its surroundings to find a chord list. The
// window asks the user in an input box; the command line and tests supply
// their own answers.
class ChordListHost {
public:
    virtual ~ChordListHost() = default;
    // The folder that holds the program's data files.
    virtual std::string programFolder() const = 0;
    virtual bool fileExists(const std::string &path) const = 0;
    // Asks the user for a chord list path; returns the typed text, empty on Cancel.
    virtual std::string askChordListPath() = 0;
};

// Plain file system, no user to ask: a missing list is simply not read.
class FileSystemHost : public ChordListHost {
public:
    explicit FileSystemHost(std::string programFolder);
    std::string programFolder() const override;
    bool fileExists(const std::string &path) const override;
    std::string askChordListPath() override;

private:
    std::string m_programFolder;
};

// Joins a folder and a file name with the platform's separator.
std::string joinPath(const std::string &folder, const std::string &fileName);

// How reading a chord list went.
enum class ChordListStatus {
    Ok,
    Missing,    // no file under the path
    Cancelled,  // LoadChordList only: the prompt was answered with nothing
    WrongName,  // LoadChordList only: the path typed names another file than the list sought
    Unreadable, // a folder, a device, a FIFO, or the read failed
    Empty,      // read, but no line holds an entry
    TooLarge,   // larger than kMaxChordListBytes
    NotText,    // NUL bytes: UTF-16 without a byte-order mark, UTF-32 or no text at all
};

// No chord list comes near this: 61 entries of a few bytes each.
inline constexpr std::uintmax_t kMaxChordListBytes = 64 << 20;

// Reads the chord list file at path (UTF-8, CP932, or UTF-16 with a
// byte-order mark) and parses it. Ok and Empty replace both tables (Empty
// leaves them cleared); every other status leaves them untouched.
ChordListStatus readChordList(const std::string &path, ChordNameTable &names,
                              ChordIntervalTable &intervals);

// The search of input slots (concert notes, NO_NOTE when empty) with slot
// bassSlot as the bass: the chords of table in the order found, or highest
// rate first when rank is set. None when there is nothing to search: the
// bass slot is empty or no other slot has another pitch class.
std::optional<std::vector<ChordMatch>> searchInputs(const ChordTable &table,
                                                    const std::array<Note, kInputSlots> &inputs,
                                                    int bassSlot, int threshold, bool rank);

// The state a window keeps around one search: the notes of its rows, the
// chord table last read and the results, in fixed slots that the result
// windows read by index. The search itself is findChords. All note numbers
// are on the C = 1 scale.
class ChordEngine {
public:
    explicit ChordEngine(ChordListHost &host);

    // Concert note per input slot, NO_NOTE when empty; slot 11 holds the bass.
    std::array<Note, kInputSlots> InputNotes;
    // Pitch class (1..12) of the bass in the last search.
    Note BassNote = NO_NOTE;
    ChordNameTable ChordNames;
    ChordIntervalTable ChordIntervals;
    // Chord slot per result; the first NO_NOTE ends the list.
    std::array<Note, kResultSlots> ResultChords;
    // Match rate per result in whole percent.
    std::array<Note, kResultSlots> ResultRates;
    // Root of a result found over the bass, NO_NOTE when the bass is the root.
    std::array<Note, kResultSlots> ResultRoot;
    bool ResultFound = false;
    // Smallest match rate that is listed, in percent; 100 = exact matches only.
    Note MatchThreshold = 65;
    // Results highest rate first instead of in the order found.
    bool RankByRate = false;
    // Full path of the chord list file that the next search reads.
    std::string ChordListPath;

    // Reads ChordListPath into the chord table, asking the host for a path
    // once when the file is missing; says how the read went, as
    // readChordList does, or Cancelled, Missing or WrongName for the answer
    // to the prompt. The table is kept unless the status is Ok or Empty.
    // A list read well is not read again while it is the one asked for, its
    // size and modification time are as they were, and the tables are as it
    // left them: the status is then Ok, and only the file's size and time
    // were looked at.
    ChordListStatus LoadChordList();
    // Reads the chord list, then searches with InputNotes[bassSlot] as the
    // bass, on the table as it then stands; returns how the read went.
    ChordListStatus SearchChords(int bassSlot);
    // The search on the chord table as it stands, without reading a file.
    // When no note has another pitch class than the bass, nothing is found
    // and the result slots keep what they held.
    void searchLoadedChords(int bassSlot);

    // Number of results to show: 0 when the last search found nothing.
    int resultCount() const;

    // ChordNames and ChordIntervals ready to search, built again only when
    // they changed.
    const ChordTable &chordTable();

private:
    // A list file as it was when read.
    struct ListFile {
        std::string path;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        bool operator==(const ListFile &) const = default;
    };
    static std::optional<ListFile> listFile(const std::string &path);
    bool tableIsCurrent() const;

    ChordListHost &m_host;
    ChordTable m_table;
    std::optional<ListFile> m_read; // the list the tables hold
};

} // namespace chordvane
