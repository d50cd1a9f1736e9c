#pragma once

#include "records/posix_file_ops.h"

#include <cerrno>

namespace zem::test {

// The real file system, except that the chosen step fails the way a full
// disk or a failing device makes it fail, a swap or rename can be refused
// with a chosen error, and the file can be made to look shared.
class FailingFileOps final : public FileOps {
public:
    enum class Step { None, Create, Write, Sync, Close, Rename, SyncDirectory, Open };
    Step failAt = Step::None;
    // The errors a swap or a rename is refused with; 0 for none.
    int exchangeError = 0;
    int renameError = 0;
    // The file belongs to another user, has more names, or lies in a folder
    // this process may not write.
    bool notOwner = false;
    unsigned extraLinks = 0;
    bool folderReadOnly = false;

    std::optional<std::string> readAtMost(const std::string &path, std::size_t limit) override {
        return real_.readAtMost(path, limit);
    }
    std::optional<std::string> linkTarget(const std::string &path) override {
        return real_.linkTarget(path);
    }
    std::optional<FileStatus> status(const std::string &path) override {
        std::optional<FileStatus> status = real_.status(path);
        if (status) {
            status->owner += notOwner ? 1 : 0;
            status->links += extraLinks;
        }
        return status;
    }
    unsigned user() override { return real_.user(); }
    bool folderWritable(const std::string &directory) override {
        return !folderReadOnly && real_.folderWritable(directory);
    }
    Outcome createBeside(const std::string &target, const FileStatus *like,
                         TempFile &created) override {
        return fails(Step::Create) ? Outcome::Failed : real_.createBeside(target, like, created);
    }
    bool nameBeside(TempFile &file, const std::string &target) override {
        return real_.nameBeside(file, target);
    }
    void removeStaleBeside(const std::string &target) override { real_.removeStaleBeside(target); }
    int lockFile(const std::string &path) override { return real_.lockFile(path); }
    int openEmptied(const std::string &path) override {
        return fails(Step::Open) ? -1 : real_.openEmptied(path);
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
    Outcome exchange(const std::string &a, const std::string &b) override {
        if (exchangeError != 0)
            return refuse(exchangeError);
        return fails(Step::Rename) ? Outcome::Failed : real_.exchange(a, b);
    }
    Outcome rename(const std::string &from, const std::string &to) override {
        if (renameError != 0)
            return refuse(renameError);
        return fails(Step::Rename) ? Outcome::Failed : real_.rename(from, to);
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
    // What the system's own refusal with `error` comes to.
    static Outcome refuse(int error) {
        errno = error;
        return outcomeOfError(error);
    }
    PosixFileOps real_;
};

} // namespace zem::test
