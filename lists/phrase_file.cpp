#include "lists/phrase_file.h"

#include "model/descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

namespace {

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
    // Not blocking, so that a FIFO named as a list cannot hang the window.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0)
        return refusedList(name, "ファイルを開けません");
    if (!S_ISREG(st.st_mode))
        return refusedList(name, "ふつうのファイルではありません");
    if (std::size_t(st.st_size) > kMaxListBytes)
        return refusedList(name, "ファイルが大きすぎます (最大 1 MB)");
    const std::optional<std::string> bytes = readUpTo(file.get(), kMaxListBytes);
    if (!bytes)
        return refusedList(name, "ファイルを読めません");
    return parsePhraseList(*bytes, name);
}

} // namespace zem
