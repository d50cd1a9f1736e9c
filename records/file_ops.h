#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zem {

// What a save needs to know about the file it replaces.
struct FileStatus {
    bool regular = false;        // a plain file, not a directory or device
    unsigned permissions = 0;    // the mode's permission bits, 07777
    bool accessWritable = false; // the system would let this process write it
};

// How an atomic exchange of two names went: NotPossible when the file system
// cannot swap names or the second name is missing; a plain rename may do.
enum class Exchange { Done, NotPossible, Failed };

// The file system calls the record file makes, one per step, so that tests
// can make any single step fail. Failing calls leave errno set.
class FileOps {
public:
    virtual ~FileOps() = default;

    // The whole content of the regular file at `path`; nothing when it cannot
    // be opened or read, is not a regular file, or holds more than `limit`
    // bytes.
    virtual std::optional<std::string> readAtMost(const std::string &path, std::size_t limit) = 0;
    // Where the symbolic link at `path` points; nothing when it is no link.
    virtual std::optional<std::string> linkTarget(const std::string &path) = 0;
    // The file at `path`, following links; nothing when there is none.
    virtual std::optional<FileStatus> status(const std::string &path) = 0;

    // Creates a new file with a name of its own beside `target` and opens it
    // for writing; `permissions` when given, else the process's default.
    // Returns the descriptor and sets `created` to its path, or returns -1.
    virtual int createBeside(const std::string &target, std::optional<unsigned> permissions,
                             std::string &created) = 0;
    virtual bool writeAll(int fd, std::string_view bytes) = 0;
    virtual bool sync(int fd) = 0;
    virtual bool close(int fd) = 0;

    // Swaps the files behind two names in one step.
    virtual Exchange exchange(const std::string &a, const std::string &b) = 0;
    virtual bool rename(const std::string &from, const std::string &to) = 0;
    // Makes the names in `directory` durable.
    virtual bool syncDirectory(const std::string &directory) = 0;
    virtual bool remove(const std::string &path) = 0;
};

} // namespace zem
