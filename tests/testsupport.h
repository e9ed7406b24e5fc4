#pragma once

#include "engine.h"

#include <filesystem>
#include <string>
#include <vector>

namespace chordvane::test {

// A host whose file system and user are under the test's control.
class FakeHost : public ChordListHost {
public:
    std::string folder = "/data";
    std::vector<std::string> existing; // paths that "exist"
    std::string answer;                // what the user types at the prompt
    int prompts = 0;

    std::string programFolder() const override { return folder; }
    bool fileExists(const std::string &path) const override
    {
        for (const auto &p : existing) {
            if (p == path)
                return true;
        }
        return false;
    }
    std::string askChordListPath() override
    {
        ++prompts;
        return answer;
    }
};

// The chord table of the worked examples: major, m, 7, m7.
inline constexpr const char *kExampleList = ":1,5,8\r\nm:1,4,8\r\n7:1,5,8,11\r\nm7:1,4,8,11\r\n";

// Sets InputNotes: the bass into slot 11, the rest into slots 0, 1, ...
inline void setNotes(ChordEngine &engine, int bass, const std::vector<int> &others)
{
    engine.InputNotes.fill(NO_NOTE);
    engine.InputNotes[11] = static_cast<Note>(bass);
    for (size_t i = 0; i < others.size(); ++i)
        engine.InputNotes[i] = static_cast<Note>(others[i]);
}

// A scratch folder removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    std::string path() const { return m_path.string(); }
    std::string write(const std::string &name, const std::string &bytes) const;

private:
    std::filesystem::path m_path;
};

} // namespace chordvane::test
