#include "history/history_path.h"

namespace zem {

std::string historyPath(const char *xdgDataHome, const char *home) {
    std::string base;
    if (xdgDataHome && xdgDataHome[0] == '/')
        base = xdgDataHome;
    else if (home && home[0] == '/')
        base = std::string(home) + "/.local/share";
    else
        return {};
    return base + "/typing-zem/history.sqlite3";
}

} // namespace zem
