#pragma once

#include "history/game_record.h"

#include <string>

namespace zem {

// Whose games a query reads: the built-in table in one mode, or one of the
// player's lists, whatever the mode was when it was played.
struct HistorySource {
    HistorySource(GameMode mode = GameMode::Word) : mode(mode) {}
    static HistorySource ofList(std::string name) {
        HistorySource source;
        source.list = std::move(name);
        return source;
    }
    GameMode mode;
    std::string list; // empty: the built-in table
    std::string key() const { return sourceKey(mode, list); }
    bool operator==(const HistorySource &) const = default;
};

} // namespace zem
