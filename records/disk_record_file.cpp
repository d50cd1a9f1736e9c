#include "records/disk_record_file.h"

#include "records/posix_file_ops.h"

namespace zem {

namespace {

constexpr int kMaxLinkHops = 40;

std::string directoryOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The owner's write bit decides even for root, whom the system would let
// write anything: a player who made the file read-only wants it kept.
bool readOnly(const FileStatus &status) {
    return (status.permissions & 0200) == 0 || !status.accessWritable;
}

} // namespace

DiskRecordFile::DiskRecordFile(std::string path)
    : path_(std::move(path)), ownOps_(std::make_unique<PosixFileOps>()), ops_(*ownOps_) {}

DiskRecordFile::DiskRecordFile(std::string path, FileOps &ops)
    : path_(std::move(path)), ops_(ops) {}

std::optional<std::string> DiskRecordFile::read() {
    return ops_.readAtMost(path_, kMaxBytes);
}

// A link keeps pointing where it did: the file at its end is the one replaced.
std::optional<std::string> DiskRecordFile::resolveLinks() const {
    std::string path = path_;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const std::optional<std::string> next = ops_.linkTarget(path);
        if (!next)
            return path;
        path = next->front() == '/' ? *next : directoryOf(path) + "/" + *next;
    }
    return std::nullopt;
}

bool DiskRecordFile::write(const std::string &bytes) {
    const std::optional<std::string> target = resolveLinks();
    if (!target)
        return false;
    const std::optional<FileStatus> old = ops_.status(*target);
    if (old && (!old->regular || readOnly(*old)))
        return false;
    std::string temp;
    const std::optional<unsigned> permissions =
        old ? std::optional<unsigned>(old->permissions) : std::nullopt;
    const int fd = ops_.createBeside(*target, permissions, temp);
    if (fd < 0)
        return false;
    const bool written = ops_.writeAll(fd, bytes) && ops_.sync(fd);
    if (!ops_.close(fd) || !written) {
        ops_.remove(temp);
        return false;
    }
    return replace(temp, *target, old.has_value());
}

bool DiskRecordFile::replace(const std::string &temp, const std::string &target,
                             bool targetExists) {
    const std::string directory = directoryOf(target);
    if (targetExists) {
        switch (ops_.exchange(temp, target)) {
        case Exchange::Done:
            // The old file now has the temporary name, ready to go back.
            if (!ops_.syncDirectory(directory)) {
                ops_.exchange(temp, target);
                ops_.remove(temp);
                return false;
            }
            ops_.remove(temp);
            return true;
        case Exchange::Failed:
            ops_.remove(temp);
            return false;
        case Exchange::NotPossible:
            break;
        }
    }
    if (!ops_.rename(temp, target)) {
        ops_.remove(temp);
        return false;
    }
    // Renamed over, the old file is gone: a failure to make the new name
    // durable can be reported but not undone.
    return ops_.syncDirectory(directory);
}

} // namespace zem
