#include "engine/playerfile/FileOps.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

namespace {

// Flushes a folder's entry list, so a rename in it survives a power cut.
void syncFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Closes a descriptor without losing the errno of the failure that made us close it.
void closeKeepingErrno(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

class DescriptorLock final : public FileLock {
public:
    explicit DescriptorLock(int fd) : m_fd(fd) {}
    ~DescriptorLock() override { ::close(m_fd); }   // closing releases the lock

private:
    int m_fd;
};

// Another copy holds the lock only from its read to its rename; one that keeps it longer has
// hung, and waiting for it would freeze this game too.
constexpr auto LockPatience = std::chrono::seconds(5);
constexpr auto LockRetry = std::chrono::milliseconds(5);

} // namespace

bool SystemFileOps::fail() {
    m_failure = std::strerror(errno);
    return false;
}

bool SystemFileOps::exists(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return true;
    if (errno == ENOENT || errno == ENOTDIR) return false;
    // Present but out of reach (a folder without search permission, an I/O error): not missing.
    fail();
    return true;
}

std::optional<std::string> SystemFileOps::readAll(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fail();
        return std::nullopt;
    }
    std::string bytes;
    char chunk[8192];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            fail();
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

bool SystemFileOps::writeDurably(const std::string& path, std::string_view bytes, const std::string& like) {
    // A file left from earlier goes first, so the new one never inherits its mode or owner.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return fail();
    // Readable by its owner only until it is given the mode of the file it replaces: it holds
    // passwords.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return fail();
    struct stat model {};
    if (!like.empty() && ::stat(like.c_str(), &model) == 0) {
        // The owner only where the system lets us; the mode always, or nothing is written.
        if (::fchown(fd, model.st_uid, model.st_gid) != 0) errno = 0;
        if (::fchmod(fd, model.st_mode & 07777) != 0) {
            closeKeepingErrno(fd);
            return fail();
        }
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            closeKeepingErrno(fd);
            return fail();
        }
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(fd) != 0) {
        closeKeepingErrno(fd);
        return fail();
    }
    return ::close(fd) == 0 || fail();
}

bool SystemFileOps::replace(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return fail();
    syncFolderOf(to);
    return true;
}

bool SystemFileOps::publish(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0) {
        // A file system without links: the plain rename is the best there is.
        if (errno == EPERM || errno == EOPNOTSUPP) return replace(from, to);
        return fail();
    }
    ::unlink(from.c_str());
    syncFolderOf(to);
    return true;
}

bool SystemFileOps::remove(const std::string& path) {
    return std::remove(path.c_str()) == 0 || fail();
}

std::unique_ptr<FileLock> SystemFileOps::lock(const std::string& path) {
    const auto giveUp = std::chrono::steady_clock::now() + LockPatience;
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            fail();
            return nullptr;
        }
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) return std::make_unique<DescriptorLock>(fd);   // no locks here
            if (std::chrono::steady_clock::now() > giveUp) {
                ::close(fd);
                m_failure = "in use by another copy of the game";
                return nullptr;
            }
            std::this_thread::sleep_for(LockRetry);
        }
        // The copy that held the lock may have renamed a new file into the place of the one we
        // locked; then the lock must be taken on the new one.
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev)
            return std::make_unique<DescriptorLock>(fd);
        ::close(fd);
    }
}

FileOps& systemFileOps() {
    static SystemFileOps ops;
    return ops;
}

} // namespace engine
