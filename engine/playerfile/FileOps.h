#pragma once
// The few file operations the player file needs, behind a small interface so a test can make any
// one step fail and see that players.dat survives it whole.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

// An advisory lock on a file, held until the object goes.
class FileLock {
public:
    virtual ~FileLock() = default;
};

class FileOps {
public:
    virtual ~FileOps() = default;
    // True when something of that name is there, whether or not it can be read: only a name that
    // does not exist is missing.
    virtual bool exists(const std::string& path) = 0;
    // The whole file, or nothing when it cannot be read.
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    // Makes the file afresh (one of that name left from earlier is replaced), writes the bytes,
    // flushes them to the disk and closes it. The file takes the mode and, where it may, the
    // owner of `like` when that exists; otherwise only its owner may read and write it. False on
    // any failure.
    virtual bool writeDurably(const std::string& path, std::string_view bytes, const std::string& like) = 0;
    // Puts the file `from` in the place of `to` in one step, so a reader sees either the old file
    // or the new one, never a mixture; then makes the change itself durable.
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    // Puts the file `from` in the place of `to` only while nothing of that name exists, so a
    // file another copy of the game has just made is never replaced.
    virtual bool publish(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    // Waits (a few seconds at most) for the exclusive advisory lock on the existing file and
    // holds it; a second copy of the game asking for it waits until it is released. Nothing when
    // the file cannot be opened or the other copy keeps it too long.
    virtual std::unique_ptr<FileLock> lock(const std::string& path) = 0;
    // Why the last failed operation failed, in the system's words ("Permission denied").
    virtual std::string lastFailure() const = 0;
};

// The operating system's files.
class SystemFileOps final : public FileOps {
public:
    bool exists(const std::string& path) override;
    std::optional<std::string> readAll(const std::string& path) override;
    bool writeDurably(const std::string& path, std::string_view bytes, const std::string& like) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool publish(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    std::unique_ptr<FileLock> lock(const std::string& path) override;
    std::string lastFailure() const override { return m_failure; }

private:
    bool fail();   // keeps errno's text; always false
    std::string m_failure;
};

// The one instance the program uses.
FileOps& systemFileOps();

} // namespace engine
