#pragma once

#include <string>

namespace zem {

// ${XDG_DATA_HOME:-$HOME/.local/share}/typing-zem/history.sqlite3, whatever
// the current directory; a relative XDG_DATA_HOME is ignored, as the XDG
// rules say. Empty when neither gives an absolute folder.
std::string historyPath(const char *xdgDataHome, const char *home);

} // namespace zem
