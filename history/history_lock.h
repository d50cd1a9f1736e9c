#pragma once

#include <string>

namespace zem {

// A small file beside the history that every opener holds shared (flock)
// while its connection is open, and that the writer holds alone while it
// sets a damaged history aside: so nothing is moved under an open
// connection, whose closing would remove the journal by name. flock, not
// SQLite's own locks: it goes with the process however the process ends.
class HistoryLock {
public:
    enum class Open { MayCreate, IfThere };
    HistoryLock(const std::string &historyPath, Open how);
    ~HistoryLock();
    HistoryLock(const HistoryLock &) = delete;
    HistoryLock &operator=(const HistoryLock &) = delete;

    // Whether the lock file could be opened (a reader does not make one).
    bool opened() const { return fd_ >= 0; }
    // Each waits at most `timeoutMs`; false when the lock did not come.
    bool shared(int timeoutMs);
    bool exclusive(int timeoutMs);

private:
    bool take(int operation, int timeoutMs);
    int fd_ = -1;
};

} // namespace zem
