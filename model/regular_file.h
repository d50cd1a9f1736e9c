#pragma once

#include <cstddef>
#include <string>

namespace zem {

// A file read whole, or why not.
struct RegularFile {
    enum class Fault { None, CannotOpen, NotRegular, TooLarge, CannotRead };
    Fault fault = Fault::None;
    std::string bytes;
};

// Reads the file at `path` when it is a regular file of at most `limit`
// bytes; anything else is refused unread. The open does not block, so that a
// FIFO cannot hang it. A file grown since its size was seen gives `limit` + 1
// bytes, for the caller's own limit to catch.
RegularFile readRegularFile(const std::string &path, std::size_t limit);

} // namespace zem
