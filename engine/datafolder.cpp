#include "datafolder.h"

#include "chordlist.h"
#include "textdecode.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace chordvane {

std::string findDataFolder(const std::string &programFolder, const std::string &installed)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path program(programFolder);
    for (const fs::path &candidate : {program, program / installed}) {
        if (fs::is_regular_file(candidate / kFullListName, error))
            return fs::weakly_canonical(candidate, error).string();
    }
    return programFolder;
}

ProgramFile locateProgram(const ProgramClues &clues,
                          const std::function<bool(const std::string &)> &isProgram)
{
    namespace fs = std::filesystem;
    if (clues.exeLink)
        return {*clues.exeLink, {}};
    std::string tried = "/proc/self/exe cannot be read (" + clues.exeLinkError + ")";
    const std::string &name = clues.argv0;
    if (name.empty()) {
        tried += ", no program name was passed";
    } else if (name.find('/') != std::string::npos) {
        const fs::path given(name);
        if (given.is_absolute() || !clues.currentFolder.empty()) {
            const std::string file =
                (fs::path(clues.currentFolder) / given).lexically_normal().string();
            if (isProgram(file))
                return {file, {}};
        }
        tried += ", " + quoteForMessage(name) + " is not the program";
    } else {
        const std::string path = clues.path.value_or("");
        for (size_t start = 0; clues.path && start <= path.size();) {
            const size_t end = std::min(path.find(':', start), path.size());
            const fs::path entry(path.substr(start, end - start));
            if (entry.is_absolute()) {
                const std::string file = (entry / name).lexically_normal().string();
                if (isProgram(file))
                    return {file, {}};
            }
            start = end + 1;
        }
        tried += ", no absolute folder on PATH holds " + quoteForMessage(name);
    }
    if (!clues.installed.empty() && isProgram(clues.installed))
        return {clues.installed, {}};
    return {{},
            "cannot tell which folder it runs from: " + tried + ", and " + clues.installed +
                " is not there"};
}

ProgramFolder runningProgramFolder(const char *argv0, const std::string &installed)
{
    namespace fs = std::filesystem;
    ProgramClues clues;
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        clues.exeLinkError = error.message();
    else
        clues.exeLink = exe.string();
    clues.argv0 = argv0 ? argv0 : "";
    if (const char *path = std::getenv("PATH"))
        clues.path = path;
    clues.currentFolder = fs::current_path(error).string();
    clues.installed = installed;
    const ProgramFile found = locateProgram(clues, [](const std::string &file) {
        struct stat status {};
        return ::stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
               ::access(file.c_str(), X_OK) == 0;
    });
    if (found.path.empty())
        return {{}, found.problem};
    // Through a link, the folder of the file it points to, as /proc tells it.
    const fs::path real = fs::weakly_canonical(found.path, error);
    return {(error ? fs::path(found.path) : real).parent_path().string(), {}};
}

} // namespace chordvane
