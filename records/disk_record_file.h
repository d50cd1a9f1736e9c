#pragma once

#include "records/file_ops.h"
#include "records/record_file.h"

#include <memory>
#include <string>

namespace zem {

// The record file on disk. A save never leaves a half-written file: the new
// text goes to a file of its own beside the old one, is flushed to the disk,
// and then swaps names with the old file in one step. A failing step leaves
// the old file as it was; only where the file system cannot swap names does
// a failed flush of the directory come too late to undo.
class DiskRecordFile final : public RecordFile {
public:
    // Anything larger is no record file, and reading it whole could take
    // the memory of the machine.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

    explicit DiskRecordFile(std::string path);
    DiskRecordFile(std::string path, FileOps &ops);

    std::optional<std::string> read() override;
    bool write(const std::string &bytes) override;

private:
    std::optional<std::string> resolveLinks() const;
    bool replace(const std::string &temp, const std::string &target, bool targetExists);

    std::string path_;
    std::unique_ptr<FileOps> ownOps_;
    FileOps &ops_;
};

} // namespace zem
