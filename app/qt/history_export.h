#pragma once

#include <string>

namespace zem {

class HistoryStore;

// Writes every game into `file` as typing-zem --history-csv writes them to
// its output; `store` null (no history yet) writes the header alone.
// Returns what went wrong, in the window's words; empty when all went well.
std::string exportHistoryCsv(HistoryStore *store, const std::string &file);

} // namespace zem
