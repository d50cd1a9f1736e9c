#include "records/posix_file_ops.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zem {

namespace {

// Closes a descriptor on every way out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

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
    return status;
}

int PosixFileOps::createBeside(const std::string &target, std::optional<unsigned> permissions,
                               std::string &created) {
    // Named after the process, so that two running games never share one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            target + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              permissions ? 0600 : 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return -1;
        if (permissions && ::fchmod(fd, *permissions) != 0) {
            const int error = errno;
            ::close(fd);
            ::unlink(name.c_str());
            errno = error;
            return -1;
        }
        created = name;
        return fd;
    }
    return -1;
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

Exchange PosixFileOps::exchange(const std::string &a, const std::string &b) {
    if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0)
        return Exchange::Done;
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == ENOENT)
        return Exchange::NotPossible;
    return Exchange::Failed;
}

bool PosixFileOps::rename(const std::string &from, const std::string &to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
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
