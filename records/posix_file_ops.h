#pragma once

#include "records/file_ops.h"

namespace zem {

// The file operations on a POSIX system (Linux).
class PosixFileOps final : public FileOps {
public:
    std::optional<std::string> readAtMost(const std::string &path, std::size_t limit) override;
    std::optional<std::string> linkTarget(const std::string &path) override;
    std::optional<FileStatus> status(const std::string &path) override;
    int createBeside(const std::string &target, std::optional<unsigned> permissions,
                     std::string &created) override;
    bool writeAll(int fd, std::string_view bytes) override;
    bool sync(int fd) override;
    bool close(int fd) override;
    Exchange exchange(const std::string &a, const std::string &b) override;
    bool rename(const std::string &from, const std::string &to) override;
    bool syncDirectory(const std::string &directory) override;
    bool remove(const std::string &path) override;
};

} // namespace zem
