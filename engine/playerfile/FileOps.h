#pragma once
// The few file operations the player file needs, behind a small interface so a test can make any
// one step fail and see that players.dat survives it whole.
#include <optional>
#include <string>
#include <string_view>

namespace engine {

class FileOps {
public:
    virtual ~FileOps() = default;
    // True when the path names a file that can be opened for reading.
    virtual bool exists(const std::string& path) = 0;
    // The whole file, or nothing when it cannot be read.
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    // Creates the file or cuts an existing one to nothing, writes the bytes, flushes them to the
    // disk and closes it. False on any failure.
    virtual bool writeDurably(const std::string& path, std::string_view bytes) = 0;
    // Puts the file `from` in the place of `to` in one step, so a reader sees either the old file
    // or the new one, never a mixture; then makes the change itself durable.
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
};

// The operating system's files.
class SystemFileOps final : public FileOps {
public:
    bool exists(const std::string& path) override;
    std::optional<std::string> readAll(const std::string& path) override;
    bool writeDurably(const std::string& path, std::string_view bytes) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
};

// The one instance the program uses.
FileOps& systemFileOps();

} // namespace engine
