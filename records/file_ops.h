#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zem {

// The folder that holds `path`.
inline std::string directoryOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// What a save needs to know about the file it replaces.
struct FileStatus {
    bool regular = false;        // a plain file, not a directory or device
    unsigned permissions = 0;    // the mode's permission bits, 07777
    bool accessWritable = false; // the system would let this process write it
    unsigned owner = 0;          // user and group ids
    unsigned group = 0;
    unsigned links = 1; // names the file has in the file system
};

// How a step went. Refused: the system declines this way of doing it here
// (no right, not supported, or the name to swap with is missing); nothing has
// changed, and another way may do.
enum class Outcome { Done, Refused, Failed };

// A new file being written beside the record file. It may have no name yet:
// then a killed save leaves nothing behind.
struct TempFile {
    int fd = -1;
    std::string name; // empty while the file has no name
};

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
    // The effective user id of this process.
    virtual unsigned user() = 0;
    // Whether this process may create and remove names in `directory`.
    virtual bool folderWritable(const std::string &directory) = 0;

    // Creates a new file beside `target`, locked against removal by other
    // copies of the game, and opens it for writing; it takes the permissions
    // and group of `like` when given, else the process's defaults.
    virtual Outcome createBeside(const std::string &target, const FileStatus *like,
                                 TempFile &created) = 0;
    // Gives `file` a name of its own beside `target`, unless it has one.
    virtual bool nameBeside(TempFile &file, const std::string &target) = 0;
    // Removes the files a killed save left beside `target`, only those no
    // running save holds.
    virtual void removeStaleBeside(const std::string &target) = 0;

    // Opens the regular file at `path` and takes its lock, shared with every
    // copy of the game: a descriptor to close to let go, or -1 when the file
    // cannot be locked or another copy holds it too long.
    virtual int lockFile(const std::string &path) = 0;

    // Opens the existing regular file at `path` for writing and empties it.
    virtual int openEmptied(const std::string &path) = 0;
    virtual bool writeAll(int fd, std::string_view bytes) = 0;
    virtual bool sync(int fd) = 0;
    virtual bool close(int fd) = 0;

    // Swaps the files behind two names in one step.
    virtual Outcome exchange(const std::string &a, const std::string &b) = 0;
    virtual Outcome rename(const std::string &from, const std::string &to) = 0;
    // Makes the names in `directory` durable.
    virtual bool syncDirectory(const std::string &directory) = 0;
    virtual bool remove(const std::string &path) = 0;
};

} // namespace zem
