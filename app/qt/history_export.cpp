#include "app/qt/history_export.h"

#include "history/csv_export.h"
#include "history/history_store.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace zem {

std::string exportHistoryCsv(HistoryStore *store, const std::string &file) {
    errno = 0;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    auto failed = [&] {
        return file + " に書き出せません" + (errno ? std::string(": ") + std::strerror(errno) : "");
    };
    if (!out)
        return failed();
    const bool whole = writeHistoryCsv(store, out);
    // A full disk often shows only when the last buffer goes out.
    out.close();
    if (!out)
        return failed();
    if (!whole)
        return "成績を最後まで読めなかったので、" + file + " には読めたところまでを書き出しました";
    return {};
}

} // namespace zem
