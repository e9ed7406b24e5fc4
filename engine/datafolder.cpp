#include "datafolder.h"

#include "chordlist.h"

#include <filesystem>

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

std::string runningProgramFolder()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

} // namespace chordvane
