#include "engine/Shared.h"

#include "engine/GameControls.h"
#include "platform/ui/Files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace engine {

namespace fs = std::filesystem;

namespace {

platform::ui::ListBox*& joinLog() {
    static platform::ui::ListBox* log = nullptr;
    return log;
}

// Appends, keeps the last `shown` lines in view, selects the new line and shows it at once.
void appendLine(platform::ui::ListBox& list, const std::string& text, int shown) {
    list.AddItem(text);
    const int count = list.ListCount();
    if (count >= shown + 1) list.TopIndex = count - shown;
    list.ListIndex = count - 1;
    list.Refresh();
}

void showDownloadError() {
    if (platform::Dialogs* dialogs = state().services.dialogs)
        dialogs->msgBox("An error has occured in the internet file download.  Please check connection and try again later.",
                        platform::vbInformation, "Preview Error");
}

bool endsWithIgnoringCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    return std::equal(tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace

void PlaySoundEvent(const std::string& FileName) {
    State& s = state();
    if (s.SoundOn != 1 || !s.services.sound) return;
    s.services.sound->play(platform::ui::resolveFileName(FileName));
}

void SetCurrentDirToAppPath() {
    std::error_code error;
    fs::current_path(platform::ui::programFolder(), error);
}

void RestoreTiles() {
    if (GameControls* c = state().controls)
        for (platform::ui::Image* tile : c->rack()) tile->Visible = true;
    PlaySoundEvent(state().SoundPlayError);
}

void AddStatusLine(const std::string& Text) {
    if (GameControls* c = state().controls) appendLine(c->StatusText, Text, 4);
}

void AddJoinLogLine(const std::string& Text) {
    if (platform::ui::ListBox* log = joinLog()) appendLine(*log, Text, 3);
}

void setJoinLog(platform::ui::ListBox* log) {
    joinLog() = log;
}

bool FileExists(const std::string& Path) {
    const std::string path = platform::ui::resolveFileName(Path);
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

bool isDownloadablePictureName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.find_first_of("/\\:") != std::string::npos || name.find('\0') != std::string::npos) return false;
    if (name.find("..") != std::string::npos) return false;
    return endsWithIgnoringCase(name, ".gif") || endsWithIgnoringCase(name, ".jpg") || endsWithIgnoringCase(name, ".bmp");
}

std::string downloadFileName(const std::string& Url) {
    // "http://host/me.jpg?s=2" names the picture me.jpg: what follows "?" or "#" is for the server
    // (or the page), never part of the file.
    const std::string address = Url.substr(0, Url.find_first_of("?#"));
    // The host is no segment of the path: "http://me.jpg" names no file.
    const auto scheme = address.find("://");
    const std::size_t pathStart = scheme == std::string::npos ? 0 : address.find('/', scheme + 3);
    if (pathStart == std::string::npos) return std::string();
    const auto slash = address.rfind('/');
    if (slash == std::string::npos || slash < pathStart) return std::string();
    return address.substr(slash + 1);
}

bool DownloadFile(platform::inet::Inet& Transfer, const std::string& Url, const std::string& Folder) {
    if (Transfer.StillExecuting()) return false;
    // Only a plain picture name may be written.
    const std::string name = downloadFileName(Url);
    if (!isDownloadablePictureName(name)) {
        showDownloadError();
        return false;
    }
    const std::vector<unsigned char> bytes = Transfer.OpenURLBytes(Url);
    if (Transfer.errorNumber() != 0) {
        showDownloadError();
        return false;
    }
    const fs::path path = fs::path(Folder) / name;
    bool written = false;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            out.close();
            written = static_cast<bool>(out);
        }
    }
    if (!written) {
        // Half a picture is no picture.
        std::error_code error;
        fs::remove(path, error);
        showDownloadError();
        return false;
    }
    return true;
}

} // namespace engine
