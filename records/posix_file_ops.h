#pragma once

#include "records/file_ops.h"

namespace zem {

// Refused for the errors by which a system declines a kind of step (no
// right, not supported here, a name missing or busy); Failed for the rest,
// such as a full disk or a failing device.
Outcome outcomeOfError(int error);

// The file operations on a POSIX system (Linux).
class PosixFileOps final : public FileOps {
public:
    std::optional<std::string> readAtMost(const std::string &path, std::size_t limit) override;
    std::optional<std::string> linkTarget(const std::string &path) override;
    std::optional<FileStatus> status(const std::string &path) override;
    unsigned user() override;
    bool folderWritable(const std::string &directory) override;
    Outcome createBeside(const std::string &target, const FileStatus *like,
                         TempFile &created) override;
    bool nameBeside(TempFile &file, const std::string &target) override;
    void removeStaleBeside(const std::string &target) override;
    int lockFile(const std::string &path) override;
    int openEmptied(const std::string &path) override;
    bool writeAll(int fd, std::string_view bytes) override;
    bool sync(int fd) override;
    bool close(int fd) override;
    Outcome exchange(const std::string &a, const std::string &b) override;
    Outcome rename(const std::string &from, const std::string &to) override;
    bool syncDirectory(const std::string &directory) override;
    bool remove(const std::string &path) override;
};

} // namespace zem
