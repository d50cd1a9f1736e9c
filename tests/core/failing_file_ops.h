#pragma once

#include "records/posix_file_ops.h"

#include <cerrno>

namespace zem::test {

// The real file system, except that the chosen step fails the way a full
// disk or a failing device makes it fail.
class FailingFileOps final : public FileOps {
public:
    enum class Step { None, Create, Write, Sync, Close, Rename, SyncDirectory };
    Step failAt = Step::None;
    // Behave like a file system that cannot swap two names in one step.
    bool cannotExchange = false;

    std::optional<std::string> readAtMost(const std::string &path, std::size_t limit) override {
        return real_.readAtMost(path, limit);
    }
    std::optional<std::string> linkTarget(const std::string &path) override {
        return real_.linkTarget(path);
    }
    std::optional<FileStatus> status(const std::string &path) override {
        return real_.status(path);
    }
    int createBeside(const std::string &target, std::optional<unsigned> permissions,
                     std::string &created) override {
        return fails(Step::Create) ? -1 : real_.createBeside(target, permissions, created);
    }
    bool writeAll(int fd, std::string_view bytes) override {
        // Half the text reaches the disk before the failure.
        if (fails(Step::Write)) {
            real_.writeAll(fd, bytes.substr(0, bytes.size() / 2));
            return false;
        }
        return real_.writeAll(fd, bytes);
    }
    bool sync(int fd) override { return !fails(Step::Sync) && real_.sync(fd); }
    bool close(int fd) override {
        const bool closed = real_.close(fd); // the descriptor is gone either way
        return !fails(Step::Close) && closed;
    }
    Exchange exchange(const std::string &a, const std::string &b) override {
        if (cannotExchange)
            return Exchange::NotPossible;
        return fails(Step::Rename) ? Exchange::Failed : real_.exchange(a, b);
    }
    bool rename(const std::string &from, const std::string &to) override {
        return !fails(Step::Rename) && real_.rename(from, to);
    }
    bool syncDirectory(const std::string &directory) override {
        return !fails(Step::SyncDirectory) && real_.syncDirectory(directory);
    }
    bool remove(const std::string &path) override { return real_.remove(path); }

private:
    bool fails(Step step) {
        if (step != failAt)
            return false;
        errno = EIO;
        return true;
    }
    PosixFileOps real_;
};

} // namespace zem::test
