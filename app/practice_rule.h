#pragma once

#include "history/history_source.h"
#include "history/weak_spots.h"

#include <optional>
#include <string>

namespace zem {

// 苦手練習: whether a practice game can start, and why not. The weak spots
// are read from the history away from the game and handed in as they
// arrive; they count only for the source they were read for, and only once
// no game has ended since they were read.
class PracticeRule {
public:
    // What the menu item and the 成績 window's button show.
    struct Offer {
        bool can = false;
        std::string why; // why it cannot start; empty when it can
        std::string tip; // the tooltip: the kana to practise, or why not
    };

    void weakSpotsRead(const HistorySource &source, WeakSpots spots);
    // A game has ended: the spots read before it are out of date.
    void gameEnded() { stale_ = true; }

    Offer offer(const HistorySource &current, bool inGame) const;
    // The weak kana to practise, when a practice game of `current` can start.
    const WeakSpots &spots() const { return spots_; }
    // Whether the spots are those of `current`, read since the last game.
    bool upToDate(const HistorySource &current) const {
        return read_ && !stale_ && *read_ == current;
    }

private:
    std::optional<HistorySource> read_; // the source spots_ were read for
    bool stale_ = false;
    WeakSpots spots_;
};

} // namespace zem
