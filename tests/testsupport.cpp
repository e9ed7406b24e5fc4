#include "testsupport.h"

#include <fstream>
#include <random>

namespace chordvane::test {

TempDir::TempDir()
{
    std::random_device device;
    const auto base = std::filesystem::temp_directory_path();
    do {
        m_path = base / ("chordvane-test-" + std::to_string(device()));
    } while (!std::filesystem::create_directory(m_path));
}

TempDir::~TempDir()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

std::string TempDir::write(const std::string &name, const std::string &bytes) const
{
    const auto file = m_path / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

} // namespace chordvane::test
