#pragma once

#include <optional>
#include <string>

namespace zem {

// Where the records are kept: read whole at start-up and at the end of a
// game, replaced whole at a save.
class RecordFile {
public:
    virtual ~RecordFile() = default;
    // The file's bytes, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> read() = 0;
    // Replaces the file's content; false when that could not be done, and
    // then the file keeps what it had.
    virtual bool write(const std::string &bytes) = 0;
    // Keeps other copies of the game from saving until unlock(), so that
    // what one copy reads it can write back with nothing saved in between.
    // A file that cannot be locked is used unlocked.
    virtual void lock() {}
    virtual void unlock() {}
};

} // namespace zem
