#include "history/csv_export.h"

#include "history/history_store.h"
#include "history/iso_time.h"

#include <string>
#include <string_view>

namespace zem {

namespace {

// A field as RFC 4180 writes it: quoted, with doubled quotes, when it holds
// a comma, a quote or a line break.
std::string field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

bool writeHistoryCsv(HistoryStore *store, std::ostream &out) {
    out << kHistoryCsvHeader << "\r\n";
    if (!store)
        return true;
    return store->forEachGame([&out](const GameRecord &g) {
        // A list's games are of no mode: the list is named in its own column.
        out << isoLocalTime(g.finishedAt) << ',' << (g.list.empty() ? modeName(g.mode) : "list")
            << ',' << g.course << ',' << g.strokes << ',' << g.misses << ',' << g.seconds << ','
            << field(g.completed ? g.speed : std::string()) << ',' << (g.completed ? 1 : 0) << ','
            << (g.newRecord ? 1 : 0) << ',' << spellingRuleName(g.spelling) << ',' << field(g.list)
            << ',' << (g.practice ? 1 : 0) << "\r\n";
    });
}

} // namespace zem
