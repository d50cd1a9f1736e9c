#include "history/csv_export.h"

#include "history/game_spool.h"
#include "history/iso_time.h"

#include <string_view>
#include <unordered_set>
#include <vector>

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

void writeRow(std::ostream &out, const GameRecord &g) {
    // A list's games are of no mode: the list is named in its own column; a
    // lesson step's, the mode "lesson" and the step's number.
    const int step = lessonOfList(g.list);
    const char *mode = step ? "lesson" : g.list.empty() ? modeName(g.mode) : "list";
    out << isoLocalTime(g.finishedAt) << ',' << mode << ',' << g.course << ',' << g.strokes << ','
        << g.misses << ',' << g.seconds << ',' << field(g.completed ? g.speed : std::string())
        << ',' << (g.completed ? 1 : 0) << ',' << (g.newRecord ? 1 : 0) << ','
        << spellingRuleName(g.spelling) << ',' << field(step ? std::to_string(step) : g.list) << ','
        << (g.practice ? 1 : 0) << "\r\n";
}

bool readable(HistoryState::Kind kind) {
    using Kind = HistoryState::Kind;
    switch (kind) {
    case Kind::Ready:
    case Kind::ReadOnly:
    case Kind::Missing:
    case Kind::Older:
    case Kind::Newer:
        return true;
    case Kind::Damaged:
    case Kind::Locked:
    case Kind::TooOld:
    case Kind::Unavailable:
        break;
    }
    return false;
}

// The games waiting in the spool, read without changing it; false when a
// spool is there that cannot be read. The export's one use of the spool.
bool readSpool(const std::string &historyPath, std::vector<GameRecord> &games, std::string &why) {
    if (historyPath.empty() || !GameSpool::present(historyPath))
        return true;
    GameSpool spool(historyPath);
    if (!spool.hold(false, &why))
        return !GameSpool::present(historyPath); // replayed and gone meanwhile
    games = spool.read();
    return true;
}

} // namespace

CsvExport writeHistoryCsv(const std::string &historyPath, std::ostream &out) {
    CsvExport done;
    // The spool before the history: a game the writer moves from one to the
    // other meanwhile is then found in one of them at least, never in neither.
    std::vector<GameRecord> spooled;
    const bool spoolRead = readSpool(historyPath, spooled, done.spoolError);
    HistoryStore store(historyPath, HistoryStore::Role::Reader);
    done.state = store.state();
    if (!readable(done.state.kind) || !spoolRead) {
        done.outcome = CsvExport::Outcome::Refused;
        return done;
    }
    std::unordered_set<std::string> waiting, written;
    for (const GameRecord &g : spooled)
        waiting.insert(g.uid);
    out << kHistoryCsvHeader << "\r\n";
    const bool whole = done.state.kind == HistoryState::Kind::Missing ||
                       store.forEachGame([&](const GameRecord &g) {
                           writeRow(out, g);
                           if (!g.uid.empty() && waiting.contains(g.uid))
                               written.insert(g.uid);
                       });
    done.state = store.state();
    if (!whole) {
        done.outcome = CsvExport::Outcome::CutShort;
        return done;
    }
    for (const GameRecord &g : spooled)
        if (g.uid.empty() || written.insert(g.uid).second) {
            writeRow(out, g);
            ++done.spooled;
        }
    return done;
}

} // namespace zem
