#include "platform/ui/Files.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

namespace platform::ui {

namespace fs = std::filesystem;

namespace {

fs::path& folderOverride() {
    static fs::path folder;
    return folder;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

fs::path programFolder() {
    if (!folderOverride().empty()) return folderOverride();
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return fs::current_path(error);
    return self.parent_path();
}

void setProgramFolder(const fs::path& folder) {
    folderOverride() = folder;
}

std::string resolveFileName(const std::string& name) {
    if (name.empty()) return name;
    std::error_code error;
    const fs::path given(name);
    if (fs::exists(given, error)) return name;
    const fs::path folder = given.has_parent_path() ? given.parent_path() : fs::path(".");
    const std::string leaf = given.filename().string();
    std::vector<std::string> matches;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (sameIgnoringCase(entry, leaf)) matches.push_back(entry);
    }
    if (matches.empty()) return name;
    std::sort(matches.begin(), matches.end());
    return given.has_parent_path() ? (given.parent_path() / matches.front()).string() : matches.front();
}

} // namespace platform::ui
