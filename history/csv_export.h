#pragma once

#include <ostream>

namespace zem {

class HistoryStore;

// The CSV's first line, without its line end.
inline constexpr const char *kHistoryCsvHeader =
    "finished_at,mode,course,strokes,misses,seconds,speed,completed,new_record,spelling,list,"
    "practice";

// Every game as CSV (RFC 4180: comma-separated, CRLF line ends, UTF-8),
// oldest first, after the header line; with no store (no history yet) the
// header alone. False when the history could not be read to its end; what
// was read is written all the same.
bool writeHistoryCsv(HistoryStore *store, std::ostream &out);

} // namespace zem
