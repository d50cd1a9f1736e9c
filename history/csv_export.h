#pragma once

#include "history/history_store.h"

#include <ostream>
#include <string>

namespace zem {

// The CSV's first line, without its line end.
inline constexpr const char *kHistoryCsvHeader =
    "finished_at,mode,course,strokes,misses,seconds,speed,completed,new_record,spelling,list,"
    "practice";

// What one export did.
struct CsvExport {
    enum class Outcome {
        Written,  // the header and every game
        Refused,  // nothing written: the history's state, or a spool that cannot be read
        CutShort, // the history could not be read to its end; what was read is written
    };
    Outcome outcome = Outcome::Written;
    HistoryState state;     // as the reader found the history, damage met on the way included
    std::string spoolError; // why the spool could not be read, when that refused the export
    int spooled = 0;        // games written from the spool, after the history's
};

// Every game kept, as CSV (RFC 4180: comma-separated, CRLF line ends,
// UTF-8): the header, the history's games oldest first, then those waiting
// in the spool beside it that the history does not hold yet, each once (by
// its uid), unmarked. The one export behind --history-csv and the 成績
// window. It only reads: the history through a reader's store, the spool
// without changing it. By what the reader finds:
//   Ready         every game.
//   Missing       the header, and any game the spool holds.
//   Older         read as it lies: a schema-1 history answers every column
//                 but the rule, the list and practice, which read as the
//                 writer's update fills them in (table, none, 0). Only the
//                 game's writer updates it, at its next game. A file with
//                 no schema step yet has no table to answer: cut short.
//   Newer         read through the columns this program knows; a games
//                 table that no longer answers them cuts the export short.
//   Damaged       refused: a CSV that silently lacks games would pass for
//                 the whole; the game repairs the history at its next game.
//   Locked        refused: another program holds it past the wait.
//   TooOld, Unavailable   refused: it cannot be read at all.
// Damage or a lock met part way cuts the export short.
CsvExport writeHistoryCsv(const std::string &historyPath, std::ostream &out);

} // namespace zem
