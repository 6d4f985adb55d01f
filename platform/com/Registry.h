#pragma once
// The registry stand-in: the classes root of the system registry kept as a plain text file.
// By default it is "registry.txt" in the program folder; TESSARINE_REGISTRY names another file
// (tests and tools use that). Key paths are relative to the classes root, separated by "\",
// and compared without regard to case; "" names a key's default value.
//
// The file reads like this:
//   [kvDPLAY.kvDPSESSIONDESC\CLSID]
//   @="{...}"
//   "ThreadingModel"="Apartment"
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform::com {

class Registry {
public:
    // TESSARINE_REGISTRY, else "registry.txt" in TESSARINE_PROGRAM_DIR, else beside the program.
    static std::filesystem::path defaultPath();

    // Reads the file; a missing file is an empty registry. False when the file cannot be read.
    // A value written relative to the file's folder (".", "./name") reads as the full path there.
    bool load(const std::filesystem::path& path);
    // Writes the whole registry to a neighbour file and moves it over the old one. A value
    // naming something in the file's own folder (a library beside it) is written relative to
    // that folder, so a copied or moved program folder uses its own libraries.
    bool save(const std::filesystem::path& path) const;

    bool hasKey(const std::string& key) const;
    std::optional<std::string> value(const std::string& key, const std::string& name = "") const;
    // Creates the key and every missing parent.
    void createKey(const std::string& key);
    void setValue(const std::string& key, const std::string& name, const std::string& value);
    // Removes the key with its whole subtree; false when it did not exist.
    bool removeKey(const std::string& key);
    std::vector<std::string> keys() const;

    std::string text() const;
    bool parse(const std::string& text);

    // The value as the file holds it for a registry in folder, and back.
    static std::string relativeTo(const std::filesystem::path& folder, const std::string& value);
    static std::string resolvedIn(const std::filesystem::path& folder, const std::string& value);

private:
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Values = std::map<std::string, std::string, NoCase>;
    std::map<std::string, Values, NoCase> m_keys;
};

// Reads one value of the registry file at defaultPath(); empty when absent.
std::optional<std::string> readRegistryValue(const std::string& key, const std::string& name = "");

} // namespace platform::com
