#include "engine.h"

#include "textdecode.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace chordvane {

namespace {

std::string fileNameOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

FileSystemHost::FileSystemHost(std::string programFolder)
    : m_programFolder(std::move(programFolder))
{}

std::string FileSystemHost::programFolder() const
{
    return m_programFolder;
}

bool FileSystemHost::fileExists(const std::string &path) const
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string FileSystemHost::askChordListPath()
{
    return {};
}

std::string joinPath(const std::string &folder, const std::string &fileName)
{
    if (folder.empty() || folder.back() == '/')
        return folder + fileName;
    return folder + '/' + fileName;
}

ChordListStatus readChordList(const std::string &path, ChordNameTable &names,
                              ChordIntervalTable &intervals)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (path.empty() || status.type() == fs::file_type::not_found)
        return ChordListStatus::Missing;
    // Opening a FIFO would wait for a writer; folders and devices hold no list.
    if (error || !fs::is_regular_file(status))
        return ChordListStatus::Unreadable;
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > kMaxChordListBytes)
        return ChordListStatus::TooLarge;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ChordListStatus::Unreadable;
    std::string bytes;
    char buffer[16384];
    while (in && bytes.size() <= kMaxChordListBytes) {
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
    }
    if (in.bad() || (!in.eof() && in.fail()))
        return ChordListStatus::Unreadable;
    if (bytes.size() > kMaxChordListBytes) // it grew while being read
        return ChordListStatus::TooLarge;
    if (!isChordListText(bytes))
        return ChordListStatus::NotText;
    parseChordList(decodeChordListText(bytes), names, intervals);
    return intervals[0][0] == NO_NOTE ? ChordListStatus::Empty : ChordListStatus::Ok;
}

ChordEngine::ChordEngine(ChordListHost &host)
    : m_host(host)
{
    InputNotes.fill(NO_NOTE);
    clearChordTable(ChordNames, ChordIntervals);
    ResultChords.fill(NO_NOTE);
    ResultRates.fill(0);
    ResultRoot.fill(NO_NOTE);
}

ChordListStatus ChordEngine::LoadChordList()
{
    if (ChordListPath.empty())
        ChordListPath = joinPath(m_host.programFolder(), kFullListName);
    if (!m_host.fileExists(ChordListPath)) {
        // The typed path must name the same list that was sought, so a missing
        // "CodeListB.txt" cannot be answered with the jazz list by mistake.
        const std::string sought = fileNameOf(ChordListPath);
        ChordListPath = m_host.askChordListPath();
        if (ChordListPath.empty())
            return ChordListStatus::Cancelled;
        if (!m_host.fileExists(ChordListPath))
            return ChordListStatus::Missing;
        if (fileNameOf(ChordListPath) != sought)
            return ChordListStatus::WrongName;
    }
    // Taken before the read, so that a file changed while it is read is
    // read again next time.
    std::optional<ListFile> file = listFile(ChordListPath);
    if (file && file == m_read && tableIsCurrent())
        return ChordListStatus::Ok;
    const ChordListStatus status = readChordList(ChordListPath, ChordNames, ChordIntervals);
    if (status == ChordListStatus::Ok || status == ChordListStatus::Empty) {
        m_table = ChordTable(ChordNames, ChordIntervals);
        m_read = status == ChordListStatus::Ok ? std::move(file) : std::nullopt;
    }
    return status;
}

std::optional<ChordEngine::ListFile> ChordEngine::listFile(const std::string &path)
{
    std::error_code error;
    ListFile file{path, std::filesystem::file_size(path, error), {}};
    if (!error)
        file.modified = std::filesystem::last_write_time(path, error);
    return error ? std::nullopt : std::optional(std::move(file));
}

bool ChordEngine::tableIsCurrent() const
{
    return m_table.intervals() == ChordIntervals && m_table.names() == ChordNames;
}

const ChordTable &ChordEngine::chordTable()
{
    if (!tableIsCurrent())
        m_table = ChordTable(ChordNames, ChordIntervals);
    return m_table;
}

ChordListStatus ChordEngine::SearchChords(int bassSlot)
{
    const ChordListStatus status = LoadChordList();
    searchLoadedChords(bassSlot);
    return status;
}

std::optional<std::vector<ChordMatch>> searchInputs(const ChordTable &table,
                                                    const std::array<Note, kInputSlots> &inputs,
                                                    int bassSlot, int threshold, bool rank)
{
    if (bassSlot < 0 || bassSlot >= kInputSlots || inputs[bassSlot] == NO_NOTE)
        return std::nullopt;
    const int bass = FoldIntoOctave(inputs[bassSlot], 1);
    SearchRequest request{inputs[bassSlot], {}, threshold};
    bool otherClass = false;
    for (int slot = 0; slot < kInputSlots; ++slot) {
        if (slot == bassSlot || inputs[slot] == NO_NOTE)
            continue;
        request.notes.push_back(inputs[slot]);
        otherClass = otherClass || FoldIntoOctave(inputs[slot], 1) != bass;
    }
    if (!otherClass)
        return std::nullopt;
    std::vector<ChordMatch> found = findChords(table, request);
    if (rank)
        rankByMatchRate(table, request, found);
    return found;
}

void ChordEngine::searchLoadedChords(int bassSlot)
{
    ResultFound = false;
    const auto found = searchInputs(chordTable(), InputNotes, bassSlot, MatchThreshold, RankByRate);
    if (!found)
        return;
    BassNote = static_cast<Note>(FoldIntoOctave(InputNotes[bassSlot], 1));
    ResultChords.fill(NO_NOTE);
    ResultRoot.fill(NO_NOTE);
    // Ranked first, so that a long list keeps its best results in the slots.
    const size_t kept = std::min(found->size(), static_cast<size_t>(kResultSlots));
    for (size_t i = 0; i < kept; ++i) {
        ResultChords[i] = static_cast<Note>((*found)[i].chord);
        ResultRoot[i] = static_cast<Note>((*found)[i].root);
        ResultRates[i] = static_cast<Note>((*found)[i].rate);
    }
    ResultFound = kept > 0;
}

int ChordEngine::resultCount() const
{
    if (!ResultFound)
        return 0;
    int count = 0;
    while (count < kResultSlots && ResultChords[count] != NO_NOTE)
        ++count;
    return count;
}

} // namespace chordvane
