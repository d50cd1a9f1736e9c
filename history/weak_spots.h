#pragma once

#include "history/game_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zem {

// The rule that picks the weak spots, in one place. Spots are ranked by the
// lower bound of the 95% Wilson score interval of their miss rate, so that a
// rate seen over few strokes ranks below the same rate seen over many.
inline constexpr std::int64_t kWeakSpotStrokes = 300;    // judged strokes looked at, at least
inline constexpr std::int64_t kWeakSpotOccurrences = 20; // hits + misses a spot needs
inline constexpr std::int64_t kWeakSpotMisses = 3;       // misses a spot needs
inline constexpr std::size_t kWeakSpotsShown = 5;        // of the kana, and of the keys

// One game of a source as the weak spots need it.
struct GameCounts {
    std::int64_t strokes = 0; // judged strokes: the hits and the misses together
    std::vector<KanaTally> kana;
    std::vector<KeyTally> keys;
};

// A game of the history as weak-spot input.
GameCounts gameCounts(const GameRecord &game);

// A kana or a key and how it went over the games looked at.
struct SpotRate {
    std::string kana; // for a kana
    char key = 0;     // for a key: an upper-case letter
    std::int64_t hits = 0;
    std::int64_t misses = 0;
    double missRate() const { return double(misses) / double(hits + misses); }
};

struct WeakSpots {
    enum class Status {
        Found,         // at least one weak kana: practice has something to favour
        TooThin,       // all the games together hold fewer than kWeakSpotStrokes
        NothingMissed, // enough strokes, but no kana missed often enough
    };
    Status status = Status::TooThin;
    int games = 0;              // the latest games looked at
    std::int64_t strokes = 0;   // their judged strokes
    std::vector<SpotRate> kana; // the weakest first
    std::vector<SpotRate> keys; // likewise; may be found where no kana is

    bool found() const { return status == Status::Found; }
    // The weak kana alone, as the practice draw takes them.
    std::vector<std::string> kanaUnits() const;
    // Why there is nothing to practise, for a tooltip or the status line;
    // empty when something was found.
    std::string reason() const;
};

// The weak spots of one source (a mode or a list), from its games newest
// first: the latest games that hold kWeakSpotStrokes judged strokes between
// them, and over those the weakest kana and keys.
WeakSpots findWeakSpots(const std::vector<GameCounts> &newestFirst);

} // namespace zem
