#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempDir::TempDir(bool makeCurrent) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessarine-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
    if (makeCurrent) {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path);
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!m_previous.empty()) std::filesystem::current_path(m_previous, ec);
    std::filesystem::remove_all(m_path, ec);
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(m_path / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::read(const std::string& name) const {
    std::ifstream in(m_path / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testing_support
