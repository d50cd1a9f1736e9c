#include "records/posix_file_ops.h"

#include "model/descriptor.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zem {

namespace {

// Another copy holds the lock only while it reads and saves; one that holds
// it longer is stopped or stuck, and the game goes on without it.
constexpr auto kLockWait = std::chrono::seconds(3);
constexpr auto kLockPoll = std::chrono::milliseconds(10);

bool sameFile(const struct stat &a, const struct stat &b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

std::optional<std::string> PosixFileOps::readAtMost(const std::string &path, std::size_t limit) {
    // Non-blocking, so that a FIFO in the file's place cannot hang the open.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return bytes;
        if (bytes.size() + std::size_t(n) > limit)
            return std::nullopt;
        bytes.append(buffer, std::size_t(n));
    }
}

std::optional<std::string> PosixFileOps::linkTarget(const std::string &path) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            return std::nullopt;
        if (std::size_t(n) < buffer.size())
            return std::string(buffer.data(), std::size_t(n));
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<FileStatus> PosixFileOps::status(const std::string &path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    FileStatus status;
    status.regular = S_ISREG(st.st_mode);
    status.permissions = st.st_mode & 07777;
    status.accessWritable = ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
    status.owner = st.st_uid;
    status.group = st.st_gid;
    status.links = unsigned(st.st_nlink);
    return status;
}

unsigned PosixFileOps::user() {
    return ::geteuid();
}

bool PosixFileOps::folderWritable(const std::string &directory) {
    return ::faccessat(AT_FDCWD, directory.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// A save that swaps in a new file leaves the waiting copies holding the old
// one: the lock counts once the file it is on still has the name.
int PosixFileOps::lockFile(const std::string &path) {
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        struct stat held {
        }, named{};
        if (fd.get() < 0 || ::fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode))
            return -1;
        while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) ||
                std::chrono::steady_clock::now() > deadline)
                return -1;
            std::this_thread::sleep_for(kLockPoll);
        }
        if (::stat(path.c_str(), &named) == 0 && sameFile(held, named))
            return fd.release();
        if (std::chrono::steady_clock::now() > deadline)
            return -1;
    }
}

int PosixFileOps::openEmptied(const std::string &path) {
    // Non-blocking and not through a link, so that whatever took the file's
    // place since it was looked at is refused rather than written.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0)
        error = errno;
    else if (!S_ISREG(st.st_mode))
        error = EINVAL;
    else if (::ftruncate(fd, 0) != 0)
        error = errno;
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool PosixFileOps::writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

bool PosixFileOps::sync(int fd) {
    return ::fsync(fd) == 0;
}

bool PosixFileOps::close(int fd) {
    return ::close(fd) == 0;
}

// Sandboxes and older container runtimes refuse the swap with EPERM, file
// systems without it answer EINVAL or EOPNOTSUPP, old kernels ENOSYS; a file
// mounted on its own (as containers do) is EBUSY to any rename.
Outcome outcomeOfError(int error) {
    switch (error) {
    case EPERM:
    case EACCES:
    case ENOSYS:
    case EINVAL:
    case EOPNOTSUPP:
    case ENOENT:
    case EBUSY:
        return Outcome::Refused;
    default:
        return Outcome::Failed;
    }
}

Outcome PosixFileOps::exchange(const std::string &a, const std::string &b) {
    if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0)
        return Outcome::Done;
    return outcomeOfError(errno);
}

Outcome PosixFileOps::rename(const std::string &from, const std::string &to) {
    if (::rename(from.c_str(), to.c_str()) == 0)
        return Outcome::Done;
    return outcomeOfError(errno);
}

bool PosixFileOps::syncDirectory(const std::string &directory) {
    const Descriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    // Some file systems cannot sync a directory at all; their names are as
    // durable as they will get.
    return ::fsync(fd.get()) == 0 || errno == EINVAL;
}

bool PosixFileOps::remove(const std::string &path) {
    return ::unlink(path.c_str()) == 0;
}

} // namespace zem
