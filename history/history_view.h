#pragma once

#include "history/history_store.h"
#include "history/weak_spots.h"

#include <string>
#include <vector>

namespace zem {

// What the 成績 window shows of one source and course, read at one go.
struct HistoryView {
    HistoryState state;
    HistoryTotals totals;
    std::vector<SpeedPoint> speeds;
    std::vector<KeyRate> keys;
    std::vector<ConfusionTotal> confusions;
    std::vector<SyllableTotal> syllables;
    std::vector<KanaTotal> kana;     // empty for games kept before kana were counted
    std::vector<std::string> lists;  // the player's lists that have games
    PracticeProgress progress;       // of the source's weak kana
    std::vector<LessonGame> lessons; // the lesson steps' completed games
};

// How long a view waits for a history another copy holds locked before it
// says so: half a second, not the store's three.
inline constexpr int kHistoryViewWaitMs = 500;

// The weak spots of a source, from the latest games an open store holds.
WeakSpots readWeakSpots(HistoryStore &store, const HistorySource &source);

// What the game window keeps up to date from the history as games end: the
// weak spots of its source and the lesson steps' games.
struct HistoryDigest {
    WeakSpots spots;
    std::vector<LessonGame> lessons;
};
// Read with a reader store of its own, let go as soon as read; no history
// (an empty path) has nothing. Reads the disk: not for the GUI thread.
HistoryDigest readHistoryDigest(const std::string &path, const HistorySource &source);

// Reads the view of `source` and `course` from the history at `path` with a
// store of its own, let go as soon as read, so that the history's lock is
// never held while the window only shows it. Only reads: a history that is
// missing, damaged or of another version stays as it is, and the view's
// state says what was found. Reads the disk: not for the GUI thread.
HistoryView readHistoryView(const std::string &path, const HistorySource &source, int course);

} // namespace zem
