#pragma once

#include "records/file_ops.h"
#include "records/record_file.h"

#include <memory>
#include <string>

namespace zem {

// The record file on disk. A save keeps the file what it is: the same file
// behind every name that leads to it, with its owner, group and permissions.
//
// Where a new file can take its place without changing any of that (this
// process owns the file, it has one name, the folder lets us rename), the new
// text goes to a file of its own beside the old one, is flushed to the disk
// and swaps names with the old file in one step; where the system refuses
// the swap, a plain rename does. A failing step leaves the old file as it
// was; only where the names cannot be swapped does a failed flush of the
// folder come too late to undo. The new file is locked from its creation and,
// where the system allows, has no name until just before the swap: a killed
// save leaves at most a "<name>.new-<pid>-<n>" file, which the next load or
// save removes, while another running game's file, still locked, stays.
//
// Anywhere else (someone else's file, a second hard link, a folder we may
// not write), or where the system refuses every way of a new file, the file
// is rewritten in place, as the original game did: emptied, written whole
// and flushed. A failure before it is emptied leaves it whole; one after
// can leave it short.
//
// A symbolic link keeps pointing where it did: the file at its end is saved.
//
// Copies of the game running at once take turns through a lock on the file
// itself, so it needs no second file beside it; a copy waiting for a file
// that a save swapped out takes the lock again on the new one.
class DiskRecordFile final : public RecordFile {
public:
    // Anything larger is no record file, and reading it whole could take
    // the memory of the machine.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

    explicit DiskRecordFile(std::string path);
    DiskRecordFile(std::string path, FileOps &ops);
    ~DiskRecordFile() override;
    DiskRecordFile(const DiskRecordFile &) = delete;
    DiskRecordFile &operator=(const DiskRecordFile &) = delete;

    std::optional<std::string> read() override;
    bool write(const std::string &bytes) override;
    void lock() override;
    void unlock() override;

private:
    std::optional<std::string> resolveLinks() const;
    bool replacingKeepsFile(const std::string &target, const FileStatus &old);
    bool replace(const std::string &target, const std::string &bytes, const FileStatus *old);
    bool finishExchange(TempFile &temp, const std::string &target);
    bool finishRename(TempFile &temp, const std::string &target);
    void discard(TempFile &temp);
    bool rewriteInPlace(const std::string &target, const std::string &bytes);

    std::string path_;
    std::unique_ptr<FileOps> ownOps_;
    FileOps &ops_;
    int lockFd_ = -1;
};

} // namespace zem
