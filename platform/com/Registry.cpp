#include "platform/com/Registry.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace platform::com {

namespace fs = std::filesystem;

namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string quote(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out.push_back(c);
    }
    return out + "\"";
}

// Reads a quoted text at pos; pos moves past it.
std::optional<std::string> unquote(const std::string& line, std::size_t& pos)
{
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\') {
            if (++pos >= line.size())
                return std::nullopt;
            c = line[pos] == 'n' ? '\n' : line[pos];
        }
        out.push_back(c);
    }
    return std::nullopt;
}

bool isUnder(const std::string& key, const std::string& root)
{
    const std::string k = lower(key);
    const std::string r = lower(root);
    return k == r || (k.size() > r.size() && k.compare(0, r.size(), r) == 0 && k[r.size()] == '\\');
}

} // namespace

bool Registry::NoCase::operator()(const std::string& a, const std::string& b) const
{
    return lower(a) < lower(b);
}

fs::path Registry::defaultPath()
{
    if (const char* path = std::getenv("TESSARINE_REGISTRY"); path && *path)
        return path;
    if (const char* dir = std::getenv("TESSARINE_PROGRAM_DIR"); dir && *dir)
        return fs::path(dir) / "registry.txt";
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return (ec ? fs::current_path() : self.parent_path()) / "registry.txt";
}

bool Registry::load(const fs::path& path)
{
    m_keys.clear();
    std::error_code ec;
    if (!fs::exists(path, ec))
        return true;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream buffer;
    buffer << in.rdbuf();
    if (!parse(buffer.str()))
        return false;
    const fs::path folder = fs::absolute(path, ec).parent_path();
    for (auto& [key, values] : m_keys)
        for (auto& [name, value] : values)
            value = resolvedIn(folder, value);
    return true;
}

std::string Registry::relativeTo(const fs::path& folder, const std::string& value)
{
    const std::string base = folder.string();
    if (base.empty() || base == "/")
        return value;
    if (value == base)
        return ".";
    // Only what lies in the folder itself: "name" or "name, 102", never a deeper path.
    if (value.size() > base.size() + 1 && value.compare(0, base.size(), base) == 0 && value[base.size()] == '/'
        && value.find('/', base.size() + 1) == std::string::npos)
        return "./" + value.substr(base.size() + 1);
    return value;
}

std::string Registry::resolvedIn(const fs::path& folder, const std::string& value)
{
    if (value == ".")
        return folder.string();
    if (value.size() > 2 && value.compare(0, 2, "./") == 0)
        return (folder / value.substr(2)).string();
    return value;
}

bool Registry::parse(const std::string& text)
{
    m_keys.clear();
    std::istringstream in(text);
    std::string line;
    std::string current;
    bool haveKey = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
            createKey(current);
            haveKey = true;
            continue;
        }
        if (!haveKey)
            return false;
        std::size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else {
            auto n = unquote(line, pos);
            if (!n)
                return false;
            name = *n;
        }
        if (pos >= line.size() || line[pos] != '=')
            return false;
        ++pos;
        auto v = unquote(line, pos);
        if (!v)
            return false;
        m_keys[current][name] = *v;
    }
    return true;
}

std::string Registry::text() const
{
    std::string out = "; Tessarine registry: the classes root\n";
    for (const auto& [key, values] : m_keys) {
        out += "[" + key + "]\n";
        for (const auto& [name, value] : values)
            out += (name.empty() ? std::string("@") : quote(name)) + "=" + quote(value) + "\n";
    }
    return out;
}

bool Registry::save(const fs::path& path) const
{
    std::error_code ec;
    if (path.has_parent_path())
        fs::create_directories(path.parent_path(), ec);
    const fs::path temp = path.string() + ".new." + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        Registry written = *this;
        const fs::path folder = fs::absolute(path, ec).parent_path();
        for (auto& [key, values] : written.m_keys)
            for (auto& [name, value] : values)
                value = relativeTo(folder, value);
        out << written.text();
        if (!out.flush()) {
            out.close();
            fs::remove(temp, ec);   // a half-written copy must not pile up beside the registry
            return false;
        }
    }
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

bool Registry::hasKey(const std::string& key) const { return m_keys.count(key) > 0; }

std::optional<std::string> Registry::value(const std::string& key, const std::string& name) const
{
    const auto k = m_keys.find(key);
    if (k == m_keys.end())
        return std::nullopt;
    const auto v = k->second.find(name);
    if (v == k->second.end())
        return std::nullopt;
    return v->second;
}

void Registry::createKey(const std::string& key)
{
    std::size_t pos = 0;
    while ((pos = key.find('\\', pos)) != std::string::npos) {
        m_keys.try_emplace(key.substr(0, pos));
        ++pos;
    }
    m_keys.try_emplace(key);
}

void Registry::setValue(const std::string& key, const std::string& name, const std::string& value)
{
    createKey(key);
    m_keys[key][name] = value;
}

bool Registry::removeKey(const std::string& key)
{
    bool found = false;
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        if (isUnder(it->first, key)) {
            it = m_keys.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    return found;
}

std::vector<std::string> Registry::keys() const
{
    std::vector<std::string> out;
    for (const auto& entry : m_keys)
        out.push_back(entry.first);
    return out;
}

std::optional<std::string> readRegistryValue(const std::string& key, const std::string& name)
{
    Registry registry;
    if (!registry.load(Registry::defaultPath()))
        return std::nullopt;
    return registry.value(key, name);
}

} // namespace platform::com
