#pragma once

// Running chordvane-find in the test process and as a program.

#include "findcommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace chordvane::test {

struct Outcome {
    int status;
    std::string out, err;
};

inline Outcome run(const std::vector<std::string> &args, const std::string &input = {},
                   const std::string &folder = CHORDVANE_DATA_DIR)
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::runFind(args, in, out, err, folder);
    return {status, out.str(), err.str()};
}

// Runs chordvane-find with args and expects it to succeed, printing just out.
inline void expectPrints(const std::vector<std::string> &args, const std::string &out)
{
    SCOPED_TRACE(testing::PrintToString(args));
    const Outcome o = run(args);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, out);
    EXPECT_EQ(o.err, "");
}

// Runs a shell command; its exit status, or 128 + the signal that ended it.
inline int shell(const std::string &command)
{
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

inline std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace chordvane::test
