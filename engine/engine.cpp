#include "engine.h"

#include "textdecode.h"

#include <cmath>
#include <filesystem>
#include <fstream>

namespace chordvane {

namespace {

constexpr const char *kDefaultListName = "CodeList.txt";
constexpr const char *kPromptText =
    "コードリストファイルが見つかりません。'正しいパスを入力してください";
constexpr const char *kPromptTitle = "エラー";
// Larger files are not chord lists; their first part is all a search could use.
constexpr std::streamsize kMaxListBytes = 64 * 1024 * 1024;

std::string fileNameOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool rowIsEmpty(const std::array<Note, kChordColumns> &row)
{
    for (const Note v : row) {
        if (v != NO_NOTE)
            return false;
    }
    return true;
}

} // namespace

FileSystemHost::FileSystemHost(std::string programFolder)
    : m_programFolder(std::move(programFolder))
{}

std::string FileSystemHost::ProgramFolder() const
{
    return m_programFolder;
}

bool FileSystemHost::FileExists(const std::string &path) const
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string FileSystemHost::AskChordListPath(const std::string &, const std::string &)
{
    return {};
}

std::string JoinPath(const std::string &folder, const std::string &fileName)
{
    if (folder.empty() || folder.back() == '/')
        return folder + fileName;
    return folder + '/' + fileName;
}

bool ReadChordListFile(const std::string &path, ChordNameTable &names,
                       ChordIntervalTable &intervals)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string bytes;
    char buffer[16384];
    while (static_cast<std::streamsize>(bytes.size()) < kMaxListBytes) {
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
        if (!in)
            break;
    }
    if (in.bad() || (!in.eof() && in.fail()))
        return false; // a directory, or a read error part way
    ParseChordList(DecodeChordListText(bytes), names, intervals);
    return true;
}

ChordEngine::ChordEngine(ChordListHost &host)
    : m_host(host)
{
    InputNotes.fill(NO_NOTE);
    SortedNotes.fill(NO_NOTE);
    ClearChordTable(ChordNames, ChordIntervals);
    ResultChords.fill(NO_NOTE);
    ResultRates.fill(0);
    ResultRoot.fill(NO_NOTE);
}

void ChordEngine::LoadChordList()
{
    if (ChordListPath.empty())
        ChordListPath = JoinPath(m_host.ProgramFolder(), kDefaultListName);
    if (!m_host.FileExists(ChordListPath)) {
        // The typed path must name the same list that was sought, so a missing
        // "CodeListB.txt" cannot be answered with the jazz list by mistake.
        const std::string sought = fileNameOf(ChordListPath);
        ChordListPath = m_host.AskChordListPath(kPromptText, kPromptTitle);
        if (!m_host.FileExists(ChordListPath) || fileNameOf(ChordListPath) != sought)
            return;
    }
    ReadChordListFile(ChordListPath, ChordNames, ChordIntervals);
}

void ChordEngine::BuildNoteSet(int root)
{
    // Every slot not of the root's pitch class, folded into the root's octave,
    // in ascending order with repeats: a counting sort by rank, done here as
    // an insertion sort, which gives the same order for so few notes.
    std::array<int, kInputSlots> folded;
    int count = 0;
    for (const Note n : InputNotes) {
        const int b = FoldIntoOctave(n, root);
        if (b == root || b == NO_NOTE)
            continue;
        int i = count++;
        for (; i > 0 && folded[i - 1] > b; --i)
            folded[i] = folded[i - 1];
        folded[i] = b;
    }
    SortedNotes.fill(NO_NOTE);
    SortedNotes[0] = static_cast<Note>(root);
    for (int i = 0; i < count && i + 1 < kInputSlots; ++i)
        SortedNotes[i + 1] = static_cast<Note>(folded[i]);
}

ChordEngine::ToneMasks ChordEngine::toneMasks() const
{
    ToneMasks masks{};
    for (int m = 0; m < kChordSlots; ++m) {
        for (int k = 1; k < kChordColumns && ChordIntervals[m][k] != NO_NOTE; ++k) {
            const int e = ChordIntervals[m][k];
            if (e >= 2 && e <= 12)
                masks[m] |= static_cast<std::uint16_t>(1u << e);
        }
    }
    return masks;
}

void ChordEngine::MatchChords(bool slashMode)
{
    matchChords(slashMode, toneMasks());
}

void ChordEngine::matchChords(bool slashMode, const ToneMasks &masks)
{
    int next = 0;
    if (!slashMode) {
        ResultChords.fill(NO_NOTE);
        ResultRoot.fill(NO_NOTE);
    } else {
        while (next < kResultSlots && ResultChords[next] != NO_NOTE)
            ++next;
    }
    const int r = SortedNotes[0];
    const auto note = [this](int j) -> int {
        return j < kInputSlots ? SortedNotes[j] : NO_NOTE;
    };
    // The bass as it stands in this pass's octave; it is exempt under another root.
    const bool bassExempt = slashMode && BassNote != NO_NOTE;
    const int bassHere = FoldIntoOctave(BassNote, r);
    std::uint16_t needed = 0;
    for (int j = 1; j < kInputSlots && SortedNotes[j] != NO_NOTE; ++j) {
        const int d = SortedNotes[j] - r + 1;
        if (bassExempt && SortedNotes[j] == bassHere)
            continue;
        if (d < 2 || d > 12) {
            needed = 0; // not a note set of this pass's octave: no shortcut
            break;
        }
        needed |= static_cast<std::uint16_t>(1u << d);
    }

    for (int m = 0; m < kChordSlots; ++m) {
        if (m > 0 && ChordNames[m].empty())
            break;
        const auto &row = ChordIntervals[m];
        // An empty row is no chord, even in slot 0 whose name may be empty.
        if (rowIsEmpty(row) || (needed & ~masks[m]) != 0)
            continue;
        const auto entry = [&row](int k) -> int {
            return k < kChordColumns ? row[k] : NO_NOTE;
        };

        int j = 1, k = 0, missing = 0;
        bool consumed = false;
        bool complete = false;
        for (;;) {
            ++k;
            while (note(j) != NO_NOTE && note(j) == note(j + 1))
                ++j;
            const int n = note(j);
            const int d = n - r + 1;
            const int e = entry(k);
            if (bassExempt && n == bassHere) {
                // The bass under another root is no tone to account for; it
                // uses up the column only when it happens to be that tone.
                if (d != e)
                    --k;
                ++j;
                consumed = true;
                continue;
            }
            if (e == NO_NOTE) {
                complete = n == NO_NOTE;
                break;
            }
            if (n == NO_NOTE) {
                ++missing;
                continue;
            }
            if (e > d)
                break;
            if (e == d) {
                ++j;
                consumed = true;
                continue;
            }
            ++missing;
            if (entry(k + 1) == NO_NOTE)
                break;
        }
        if (!complete || !consumed)
            continue;
        // Exact in integers: 1 of 5 tones present must pass a threshold of 20.
        if (100 * (k - missing) < MatchThreshold * k)
            continue;
        if (next >= kResultSlots)
            continue; // more candidates than result slots: the surplus is dropped
        ResultChords[next] = static_cast<Note>(m);
        if (slashMode)
            ResultRoot[next] = static_cast<Note>(r);
        const double rate = (1.0 - static_cast<double>(missing) / k) * 100.0;
        ResultRates[next] = static_cast<Note>(std::nearbyint(rate)); // halves to even
        ++next;
        ResultFound = true;
    }
}

void ChordEngine::SearchChords(int bassSlot)
{
    LoadChordList();
    SearchLoadedChords(bassSlot);
}

void ChordEngine::SearchLoadedChords(int bassSlot)
{
    ResultFound = false;
    if (bassSlot < 0 || bassSlot >= kInputSlots || InputNotes[bassSlot] == NO_NOTE)
        return;
    BassNote = static_cast<Note>(FoldIntoOctave(InputNotes[bassSlot], 1));
    BuildNoteSet(BassNote);
    if (SortedNotes[1] == NO_NOTE)
        return;
    const ToneMasks masks = toneMasks();
    matchChords(false, masks);
    for (;;) {
        BuildNoteSet(SortedNotes[1]);
        matchChords(true, masks);
        if (SortedNotes[1] == NO_NOTE)
            break;
        if (FoldIntoOctave(SortedNotes[1], BassNote) == BassNote)
            break;
    }
}

int ChordEngine::ResultCount() const
{
    if (!ResultFound)
        return 0;
    int count = 0;
    while (count < kResultSlots && ResultChords[count] != NO_NOTE)
        ++count;
    return count;
}

} // namespace chordvane
