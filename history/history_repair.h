#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zem {

// Which file a name stood for: a name can come to stand for another file
// (a second copy repaired the history first) while it stays the same.
struct FileIdentity {
    std::uint64_t device = 0, inode = 0;
    bool operator==(const FileIdentity &) const = default;
};
std::optional<FileIdentity> identityOf(const std::string &path);

// What became of a history found damaged.
struct Repair {
    enum class Outcome {
        Mended,      // its indexes were rebuilt, and it checks whole
        SetAside,    // moved aside; a new history holds what could be read
        AlreadyDone, // the name no longer stands for the damaged file
        Failed,      // left as it was
    };
    Outcome outcome = Outcome::Failed;
    std::string setAside;     // where the damaged file went
    std::int64_t carried = 0; // games carried into the new history
    std::string detail;       // why it failed
};

// Mends the history at `path`, which was `damaged` when found so, or moves
// it and its journal aside, never over another file, after carrying every
// game that can still be read into a new history under the old name. To be
// called with the history's lock held alone, so that no connection is open.
Repair repairHistory(const std::string &path, FileIdentity damaged);

} // namespace zem
