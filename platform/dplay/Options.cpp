#include "platform/dplay/Options.h"

#include <boost/asio/ip/address_v4.hpp>

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>

namespace platform::dplay {
namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

bool isIpv4(std::string_view text)
{
    boost::system::error_code error;
    boost::asio::ip::make_address_v4(std::string(text), error);
    return !error;
}

std::optional<long> number(std::string_view text, long low, long high)
{
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::mutex g_mutex;
std::optional<Options> g_options;

// The folder this library was loaded from: the program folder.
std::filesystem::path libraryFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&currentOptions), &info) == 0 || info.dli_fname == nullptr)
        return {};
    std::error_code error;
    auto path = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::filesystem::path() : path.parent_path();
}

std::string readText(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    if (file)
        text << file.rdbuf();
    return text.str();
}

} // namespace

Options parseOptions(std::string_view text)
{
    Options options;
    bool searchGiven = false;
    std::istringstream lines{std::string(text)};
    std::string raw;
    while (std::getline(lines, raw)) {
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string key = lower(trim(line.substr(0, eq)));
        const std::string_view value = trim(line.substr(eq + 1));
        if (key == "search") {
            if (!searchGiven)
                options.searchAddresses.clear();
            searchGiven = true;
            std::string list(value);
            std::replace(list.begin(), list.end(), ',', ' ');
            std::istringstream words(list);
            std::string word;
            while (words >> word)
                if (isIpv4(word)
                    && std::find(options.searchAddresses.begin(), options.searchAddresses.end(), word)
                           == options.searchAddresses.end())
                    options.searchAddresses.push_back(word);
        } else if (key == "listen") {
            if (isIpv4(value))
                options.listenAddress = std::string(value);
        } else if (key == "discoveryport") {
            if (auto v = number(value, 1024, 65535 - options.discoveryPortCount))
                options.discoveryPort = static_cast<std::uint16_t>(*v);
        } else if (key == "keepalivems") {
            if (auto v = number(value, 10, 600000))
                options.keepAlive = std::chrono::milliseconds(*v);
        } else if (key == "lossms") {
            if (auto v = number(value, 20, 3600000))
                options.lossAfter = std::chrono::milliseconds(*v);
        } else if (key == "lastsearch") {
            options.lastSearch = std::string(value);
        } else if (key == "enumtimeoutms") {
            if (auto v = number(value, 1, 600000))
                options.enumTimeout = std::chrono::milliseconds(*v);
        }
    }
    // A peer must be heard from several times before it counts as gone.
    if (options.lossAfter < options.keepAlive * 2)
        options.lossAfter = options.keepAlive * 2;
    return options;
}

Options currentOptions()
{
    std::lock_guard lock(g_mutex);
    if (!g_options) {
        // Without a folder of its own the library keeps no file in whatever folder is current.
        const auto folder = libraryFolder();
        const auto path = folder.empty() ? std::filesystem::path() : folder / kSettingsFile;
        g_options = parseOptions(path.empty() ? std::string() : readText(path));
        g_options->settingsFile = path;
    }
    return *g_options;
}

void setOptions(const Options& options)
{
    std::lock_guard lock(g_mutex);
    g_options = options;
}

void keepLastSearch(const std::filesystem::path& file, const std::string& answer)
{
    std::lock_guard lock(g_mutex);
    if (g_options)
        g_options->lastSearch = answer;
    if (file.empty())
        return;
    // The answer replaces the key's line where there is one; every other line stays.
    std::string text;
    bool written = false;
    std::istringstream lines{readText(file)};
    std::string raw;
    while (std::getline(lines, raw)) {
        const std::string_view line = trim(raw);
        const auto eq = line.find('=');
        const bool ours = eq != std::string_view::npos && line.front() != ';' && line.front() != '#'
                          && lower(trim(line.substr(0, eq))) == "lastsearch";
        if (ours) {
            if (written)
                continue;
            raw = "LastSearch=" + answer;
            written = true;
        }
        text += raw + "\n";
    }
    if (!written)
        text += "LastSearch=" + answer + "\n";
    // Written beside and moved over, so a reader never sees half a file; a folder that cannot
    // be written keeps the answer for this run only.
    std::error_code error;
    const auto temp = file.string() + ".new";
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out || !(out << text) || !out.flush()) {
            out.close();
            std::filesystem::remove(temp, error);
            return;
        }
    }
    std::filesystem::rename(temp, file, error);
    if (error)
        std::filesystem::remove(temp, error);
}

} // namespace platform::dplay
