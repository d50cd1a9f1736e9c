#pragma once

#include "history/game_record.h"
#include "history/sqlite.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zem {

// What opening the history found. A store that is not Ready still answers
// every query (with nothing) and refuses every game; it never throws.
struct HistoryState {
    enum class Kind {
        Ready,       // open for reading and writing
        ReadOnly,    // readable, but the file or its folder takes no writes
        Newer,       // made by a newer typing-zem: read, never written
        Unavailable, // cannot be opened at all (no folder, not a file, locked, ...)
    };
    Kind kind = Kind::Unavailable;
    std::string detail;   // SQLite's or the system's words, for the window
    std::string setAside; // where a damaged history was moved, when one was
};

// Totals of the games of one mode and course (or of all of them).
struct HistoryTotals {
    std::int64_t games = 0;
    std::int64_t completedGames = 0;
    std::int64_t seconds = 0;
    std::int64_t strokes = 0;
    std::int64_t misses = 0;
    double best = 0; // the best completed speed; 0 when none
};

// A completed game on the speed chart.
struct SpeedPoint {
    WallTime finishedAt;
    double speed = 0;
    double bestSoFar = 0; // the best of its mode and course up to and with it
    bool newRecord = false;
};

struct KeyRate {
    char key = 0;
    std::int64_t hits = 0;
    std::int64_t misses = 0;
};

struct ConfusionTotal {
    char expected = 0;
    unsigned char typed = 0;
    std::int64_t count = 0;
};

struct SyllableTotal {
    std::string syllable;
    std::int64_t count = 0;
};

// Every game kept, in an SQLite database: one transaction per game, in WAL
// mode with a busy timeout so that two running copies both keep theirs.
// Totals per mode and course are kept as games arrive, so that the window
// opens as fast on a hundred thousand games as on ten.
class HistoryStore {
public:
    enum class Durability {
        Full,   // every game is on the disk when add() returns
        Relaxed // no syncs: for generating fixtures only
    };
    static constexpr int kBusyTimeoutMs = 3000;

    // Opens the history at `path`, making it (and its folder) when missing
    // and bringing an older schema up to date. A file that is damaged or no
    // database at all is moved aside, never deleted, and a new one started.
    explicit HistoryStore(std::string path, Durability durability = Durability::Full,
                          int busyTimeoutMs = kBusyTimeoutMs);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    const HistoryState &state() const { return state_; }
    const std::string &path() const { return path_; }

    // Stores one game in one transaction. On failure nothing of it is kept,
    // `why` says what went wrong, and the store stays as it was; a history
    // found damaged on the way is set aside and the game goes into a new one.
    bool add(const GameRecord &game, std::string *why = nullptr);

    HistoryTotals totals(GameMode mode, int course);
    HistoryTotals totalsOfAll();
    // The latest `limit` completed games of a mode and course, oldest first.
    std::vector<SpeedPoint> speeds(GameMode mode, int course, int limit);
    std::vector<KeyRate> keyRates(GameMode mode, int course);
    std::vector<ConfusionTotal> topConfusions(GameMode mode, int course, int limit);
    std::vector<SyllableTotal> topSyllables(GameMode mode, int course, int limit);
    // Every game, oldest first, without its per-key part; false when the
    // history could not be read to its end.
    bool forEachGame(const std::function<void(const GameRecord &)> &each);

    // The schema this build writes (PRAGMA user_version).
    static int currentVersion();
    // Brings `db` from its version up to `version`; for the migration tests.
    static bool migrate(sql::Database &db, int version, std::string *why = nullptr);

private:
    void open();
    bool openDatabase();
    void setAside();
    bool insert(const GameRecord &game, sql::Error &error);
    HistoryTotals readTotals(sql::Statement &query);
    template <typename Each>
    void eachRow(const char *sql, GameMode mode, int course, int limit, Each each);

    std::string path_;
    Durability durability_;
    int busyTimeoutMs_;
    HistoryState state_;
    std::unique_ptr<sql::Database> db_;
    int lastCode_ = 0; // of the last failed step of open(), to tell damage from the rest
};

} // namespace zem
