#include "records/disk_record_file.h"

#include "records/posix_file_ops.h"

#include <utility>

namespace zem {

namespace {

constexpr int kMaxLinkHops = 40;

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

DiskRecordFile::~DiskRecordFile() {
    unlock();
}

void DiskRecordFile::lock() {
    if (lockFd_ >= 0)
        return;
    if (const std::optional<std::string> target = resolveLinks())
        lockFd_ = ops_.lockFile(*target);
}

void DiskRecordFile::unlock() {
    if (lockFd_ >= 0)
        ops_.close(std::exchange(lockFd_, -1));
}

std::optional<std::string> DiskRecordFile::read() {
    if (const std::optional<std::string> target = resolveLinks())
        ops_.removeStaleBeside(*target);
    return ops_.readAtMost(path_, kMaxBytes);
}

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
    ops_.removeStaleBeside(*target);
    const std::optional<FileStatus> old = ops_.status(*target);
    if (!old)
        return replace(*target, bytes, nullptr);
    if (!old->regular || readOnly(*old))
        return false;
    if (!replacingKeepsFile(*target, *old))
        return rewriteInPlace(*target, bytes);
    return replace(*target, bytes, &*old);
}

// A file we create is ours; under the old name it is the old file to every
// reader only if the old one was ours too and no other name leads to it.
bool DiskRecordFile::replacingKeepsFile(const std::string &target, const FileStatus &old) {
    return old.owner == ops_.user() && old.links == 1 && ops_.folderWritable(directoryOf(target));
}

bool DiskRecordFile::replace(const std::string &target, const std::string &bytes,
                             const FileStatus *old) {
    TempFile temp;
    switch (ops_.createBeside(target, old, temp)) {
    case Outcome::Done:
        break;
    case Outcome::Refused:
        return old && rewriteInPlace(target, bytes);
    case Outcome::Failed:
        return false;
    }
    if (!ops_.writeAll(temp.fd, bytes) || !ops_.sync(temp.fd) || !ops_.nameBeside(temp, target)) {
        discard(temp);
        return false;
    }
    const Outcome swapped = old ? ops_.exchange(temp.name, target) : Outcome::Refused;
    if (swapped == Outcome::Done)
        return finishExchange(temp, target);
    if (swapped == Outcome::Refused) {
        switch (ops_.rename(temp.name, target)) {
        case Outcome::Done:
            return finishRename(temp, target);
        case Outcome::Refused:
            discard(temp);
            return old && rewriteInPlace(target, bytes);
        case Outcome::Failed:
            break;
        }
    }
    discard(temp);
    return false;
}

// The old file now has the temporary name, ready to go back.
bool DiskRecordFile::finishExchange(TempFile &temp, const std::string &target) {
    const bool synced = ops_.syncDirectory(directoryOf(target));
    const bool closed = ops_.close(temp.fd);
    if (!synced || !closed)
        ops_.exchange(temp.name, target);
    ops_.remove(temp.name);
    return synced && closed;
}

// Renamed over, the old file is gone: a failure to close the new one or to
// make its name durable can be reported but not undone.
bool DiskRecordFile::finishRename(TempFile &temp, const std::string &target) {
    const bool closed = ops_.close(temp.fd);
    return ops_.syncDirectory(directoryOf(target)) && closed;
}

// Removed while still locked, so that no other game sees it unlocked.
void DiskRecordFile::discard(TempFile &temp) {
    if (!temp.name.empty())
        ops_.remove(temp.name);
    ops_.close(temp.fd);
}

bool DiskRecordFile::rewriteInPlace(const std::string &target, const std::string &bytes) {
    const int fd = ops_.openEmptied(target);
    if (fd < 0)
        return false;
    const bool written = ops_.writeAll(fd, bytes) && ops_.sync(fd);
    return ops_.close(fd) && written;
}

} // namespace zem
