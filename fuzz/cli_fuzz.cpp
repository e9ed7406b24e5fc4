// The command line's parsing: the first byte chooses what the rest is, a
// batch file read from standard input or a command line split at NUL bytes;
// for a batch, its bit 1 stretches the first line past the line limit, which
// inputs of the fuzzing run's length could not reach.
#include "findcommand.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string g_list;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    g_list = "/tmp/chordvane-fuzz-list-" + std::to_string(getpid()) + ".txt";
    std::ofstream(g_list, std::ios::binary)
        << ":1,5,8\r\nm:1,4,8\r\n7:1,5,8,11\r\nm7:1,4,8,11\r\nx:1,2,3,4,5,6,7,8\r\n";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool batch = data[0] & 1;
    std::string rest(reinterpret_cast<const char *>(data + 1), size - 1);
    std::ostringstream out, err;
    if (batch) {
        if (data[0] & 2)
            rest.insert(0, 70000, ' ');
        std::istringstream in(rest);
        chordvane::cli::runFind({"--list", g_list, "--rate", "10", "--just", "--batch"}, in, out,
                                err, "/nonexistent");
    } else {
        std::vector<std::string> args;
        std::string current;
        for (char c : rest) {
            if (c == '\0') {
                args.push_back(current);
                current.clear();
            } else {
                current += c;
            }
        }
        args.push_back(current);
        // Files written at the fuzzer's whim would fill the disk.
        std::erase_if(args, [](const std::string &arg) {
            return arg.rfind("--wav", 0) == 0 || arg.rfind("--annotate", 0) == 0;
        });
        // Keep the fuzzer to the given list; a path it makes up is read as any other.
        args.insert(args.begin(), {"--list", g_list});
        std::istringstream in;
        chordvane::cli::runFind(args, in, out, err, "/nonexistent");
    }
    return 0;
}
