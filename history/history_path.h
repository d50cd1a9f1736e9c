#pragma once

#include <string>

namespace zem {

// ${XDG_DATA_HOME:-$HOME/.local/share}/typing-zem/history.sqlite3, whatever
// the current directory; a relative XDG_DATA_HOME is ignored, as the XDG
// rules say. Empty when neither gives an absolute folder.
std::string historyPath(const char *xdgDataHome, const char *home);

// Whether a history is there to read: readers look before they open one, so
// that reading never makes a history of no game.
bool historyExists(const std::string &path);

} // namespace zem
