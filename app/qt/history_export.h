#pragma once

#include <string>

namespace zem {

// Writes every game of the history at `historyPath` into `file` as
// typing-zem --history-csv writes them to its output (no history yet: the
// header alone). The CSV goes to a new file beside `file` that takes its
// name only once the whole history was read and written, so a failure
// leaves `file` as it was. Returns what went wrong, in the window's words;
// empty when all went well. Reads the disk: not for the GUI thread.
std::string exportHistoryCsv(const std::string &historyPath, const std::string &file);

} // namespace zem
