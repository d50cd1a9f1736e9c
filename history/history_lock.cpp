#include "history/history_lock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace zem {

HistoryLock::HistoryLock(const std::string &historyPath, Open how) {
    const std::string name = historyPath + ".lock";
    fd_ = how == Open::MayCreate
              ? ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)
              : ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
}

HistoryLock::~HistoryLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool HistoryLock::shared(int timeoutMs) {
    return take(LOCK_SH, timeoutMs);
}

bool HistoryLock::exclusive(int timeoutMs) {
    return take(LOCK_EX, timeoutMs);
}

// flock has no timeout of its own: it is asked again every few milliseconds.
// A conversion that fails (shared to exclusive while others hold it) leaves
// no lock at all on Linux; the caller takes the shared one again.
bool HistoryLock::take(int operation, int timeoutMs) {
    if (fd_ < 0)
        return false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (::flock(fd_, operation | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace zem
