#include "lists/phrase_file.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

namespace {

class OpenFile {
public:
    explicit OpenFile(const std::string &path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~OpenFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// At most `limit` + 1 bytes, so that a file grown since its size was seen is
// still caught by the parser's own limit.
std::optional<std::string> readUpTo(int fd, std::size_t limit) {
    std::string bytes;
    char buffer[65536];
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        bytes.append(buffer, std::size_t(n));
    }
    return bytes;
}

} // namespace

std::string listName(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

ListResult readPhraseFile(const std::string &path) {
    const std::string name = listName(path);
    const OpenFile file(path);
    struct stat st {};
    if (file.fd() < 0 || ::fstat(file.fd(), &st) != 0)
        return refusedList(name, "ファイルを開けません");
    if (!S_ISREG(st.st_mode))
        return refusedList(name, "ふつうのファイルではありません");
    if (std::size_t(st.st_size) > kMaxListBytes)
        return refusedList(name, "ファイルが大きすぎます (最大 1 MB)");
    const std::optional<std::string> bytes = readUpTo(file.fd(), kMaxListBytes);
    if (!bytes)
        return refusedList(name, "ファイルを読めません");
    return parsePhraseList(*bytes, name);
}

} // namespace zem
