#pragma once

#include <string>

namespace zem {

// Writes every game kept into `file` as typing-zem --history-csv writes
// them to its output, by writeHistoryCsv() and its rule for each state of
// the history. The CSV goes to a new file beside `file` that takes its name
// only once the whole history was read and written, so a failure leaves
// `file` as it was. Returns what went wrong, in the window's words; empty
// when all went well. Reads the disk: not for the GUI thread.
std::string exportHistoryCsv(const std::string &historyPath, const std::string &file);

} // namespace zem
