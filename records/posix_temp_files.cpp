// The new files a save writes beside the record file, and the sweep of
// those a killed save left behind.
#include "model/descriptor.h"
#include "records/posix_file_ops.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace zem {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::string_view kTempMark = ".new-";

// Named after the process, so that two running games rarely try one name.
std::string tempName(const std::string &target, int attempt) {
    return target + std::string(kTempMark) + std::to_string(::getpid()) + "-" +
           std::to_string(attempt);
}

bool allDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// Only names of exactly the form `tempName` gives count: a player's own
// "hiscore.dat.new-backup" is no leftover of ours.
bool isTempOf(std::string_view name, std::string_view base) {
    if (!name.starts_with(base) || !name.substr(base.size()).starts_with(kTempMark))
        return false;
    name.remove_prefix(base.size() + kTempMark.size());
    const std::size_t dash = name.find('-');
    return dash != std::string_view::npos && allDigits(name.substr(0, dash)) &&
           allDigits(name.substr(dash + 1));
}

// The group first: changing it may clear the set-id bits.
bool takeOver(int fd, const FileStatus &like) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    if (st.st_gid != like.group && ::fchown(fd, uid_t(-1), gid_t(like.group)) != 0)
        return false;
    return ::fchmod(fd, mode_t(like.permissions)) == 0;
}

// A file without a name vanishes with a killed process. It is named later
// through /proc, so without /proc it needs its name from the start.
int createUnnamed(const std::string &directory, mode_t mode) {
    if (::access("/proc/self/fd", X_OK) != 0)
        return -1;
    return ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}

int createNamed(const std::string &target, mode_t mode, std::string &name) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = tempName(target, attempt);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A save holds its lock until its new file has taken the record file's name,
// so a lock we can take marks a file whose save died. The name is checked to
// still be the locked file, so that a file just created under it survives.
void removeIfStale(const std::string &path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    const Descriptor file(fd);
    struct stat held {
    }, named{};
    if (file.get() < 0 || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0 ||
        ::fstat(file.get(), &held) != 0 || ::lstat(path.c_str(), &named) != 0)
        return;
    if (held.st_dev == named.st_dev && held.st_ino == named.st_ino)
        ::unlink(path.c_str());
}

} // namespace

Outcome PosixFileOps::createBeside(const std::string &target, const FileStatus *like,
                                   TempFile &created) {
    const mode_t mode = like ? 0600 : 0666;
    std::string name;
    int fd = createUnnamed(directoryOf(target), mode);
    if (fd < 0)
        fd = createNamed(target, mode, name);
    if (fd < 0)
        return outcomeOfError(errno);
    if (::flock(fd, LOCK_EX) != 0 || (like && !takeOver(fd, *like))) {
        const int error = errno;
        ::close(fd);
        if (!name.empty())
            ::unlink(name.c_str());
        errno = error;
        return outcomeOfError(error);
    }
    created = TempFile{fd, name};
    return Outcome::Done;
}

bool PosixFileOps::nameBeside(TempFile &file, const std::string &target) {
    if (!file.name.empty())
        return true;
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = tempName(target, attempt);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            file.name = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

void PosixFileOps::removeStaleBeside(const std::string &target) {
    DIR *folder = ::opendir(directoryOf(target).c_str());
    if (!folder)
        return;
    const std::size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    while (const dirent *entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (isTempOf(name, base))
            removeIfStale(target + std::string(name.substr(base.size())));
    }
    ::closedir(folder);
}

} // namespace zem
