#pragma once
#include <filesystem>
#include <string>

namespace testing_support {

// A fresh folder for one test, removed afterwards. Optionally made the current folder.
class TempDir {
public:
    explicit TempDir(bool makeCurrent = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

} // namespace testing_support
