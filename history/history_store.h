#pragma once

#include "history/game_record.h"
#include "history/history_lock.h"
#include "history/history_repair.h"
#include "history/history_source.h"
#include "history/sqlite.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zem {

// What opening the history found. A store that is not Ready still answers
// every query (with what it can read, or nothing) and refuses every game; it
// never throws.
struct HistoryState {
    enum class Kind {
        Ready,       // open for reading (and, for the writer, writing)
        Missing,     // no history yet: a reader reads nothing, and that is no fault
        ReadOnly,    // readable, but the file or its folder takes no writes
        Newer,       // made by a newer typing-zem: read, never written
        Older,       // made by an older one: the writer brings it up to date
        Damaged,     // a reader found it damaged; the next game's writer repairs it
        Locked,      // another program holds it past the wait
        TooOld,      // the SQLite library is older than the history needs
        Unavailable, // cannot be opened at all (no folder, not a file, ...)
    };
    Kind kind = Kind::Unavailable;
    std::string detail;       // SQLite's or the system's words, for the window
    std::string setAside;     // where a damaged history was moved, when one was
    std::int64_t carried = 0; // games carried from it into the new history
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

// A kana's hits and misses, summed over games.
struct KanaTotal {
    std::string kana;
    std::int64_t hits = 0;
    std::int64_t misses = 0;
};

// How the weak kana went before the first practice game of a source, and in
// its games since (practice or not).
struct PracticeProgress {
    bool practised = false;
    std::vector<KanaTotal> before, since; // in the order asked for
};

struct SyllableTotal {
    std::string syllable;
    std::int64_t count = 0;
};

// Every game kept, in an SQLite database: one transaction per game, in WAL
// mode with a busy timeout so that two running copies both keep theirs.
// Totals per mode and course are kept as games arrive, so that the window
// opens as fast on a hundred thousand games as on ten.
// Only a writer changes the file; a reader opens it read-only and says what
// it found. Every store holds the history's lock shared while it is open.
class HistoryStore {
public:
    enum class Role {
        Writer, // makes the history and its folder, updates the schema, repairs
        Reader  // never creates, converts, migrates or moves anything
    };
    enum class Durability {
        Full,   // every game is on the disk when add() returns
        Relaxed // no syncs: for generating fixtures only
    };
    static constexpr int kBusyTimeoutMs = 3000;
    struct Options;

    // Opens the history at `path`. For a writer, a file that is damaged or no
    // database at all is mended or moved aside, never deleted, and a new one
    // started with every game of it that can still be read.
    explicit HistoryStore(std::string path, Role role = Role::Writer);
    HistoryStore(std::string path, Role role, const Options &options);
    HistoryStore(std::string path, Role role, Durability durability);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    const HistoryState &state() const { return state_; }
    const std::string &path() const { return path_; }

    // Stores one game in one transaction (a game of a uid stored already is
    // not stored again). On failure nothing of it is kept, `why` says what
    // went wrong, and the store stays as it was; a history found damaged on
    // the way is repaired and the game goes into the repaired one.
    bool add(const GameRecord &game, std::string *why = nullptr);

    // The writer's look over the whole file, once a run: damage where no
    // write of a game goes (an index page of old games) is found and
    // repaired too, not only told by the window. False when it is not sound.
    bool checkWhole();

    HistoryTotals totals(const HistorySource &source, int course);
    HistoryTotals totalsOfAll();
    // The latest `limit` completed games of a source and course to arrive,
    // oldest first; practice games are not on the chart.
    std::vector<SpeedPoint> speeds(const HistorySource &source, int course, int limit);
    std::vector<KeyRate> keyRates(const HistorySource &source, int course);
    std::vector<ConfusionTotal> topConfusions(const HistorySource &source, int course, int limit);
    // The kana missed most; games kept before kana were counted have none.
    std::vector<KanaTotal> topKana(const HistorySource &source, int course, int limit);
    // The romaji syllables missed most, as games were counted before kana.
    std::vector<SyllableTotal> topSyllables(const HistorySource &source, int course, int limit);
    // The names of the player's lists that have games, in name order; the
    // lesson steps' are no player's.
    std::vector<std::string> lists();
    // Every completed game of the lesson steps, in arrival order.
    std::vector<LessonGame> lessonGames();
    // The latest games of a source with their per-kana and per-key parts,
    // newest first, until they hold `judged` strokes and misses together;
    // games kept before kana were counted are left out.
    std::vector<GameRecord> recentGames(const HistorySource &source, std::int64_t judged);
    // How `kana` went before the source's first practice game and since.
    PracticeProgress practiceProgress(const HistorySource &source,
                                      const std::vector<std::string> &kana);
    // Every game in arrival order, without its per-key part; false when the
    // history could not be read to its end.
    bool forEachGame(const std::function<void(const GameRecord &)> &each);

    // The schema this build writes (PRAGMA user_version).
    static int currentVersion();
    // Brings `db` from its version up to `version`; for a repair's new
    // history and the migration tests.
    static bool migrate(sql::Database &db, int version, std::string *why = nullptr);

private:
    void open();
    bool openForReading();
    bool openForWriting();
    bool fail(const sql::Error &error);
    bool repair();
    void noteReadFailure();
    HistoryTotals readTotals(sql::Statement &query);
    template <typename Each>
    void eachRow(const std::string &sql, const std::string &source, int course, int limit,
                 Each each);
    std::string gamesOf(const HistorySource &source, bool withPractice) const;
    std::vector<KanaTotal> kanaOf(const HistorySource &source, const char *range,
                                  std::int64_t firstPractice, const std::vector<std::string> &kana);

    std::string path_;
    Role role_;
    Durability durability_ = Durability::Full;
    int busyTimeoutMs_ = kBusyTimeoutMs;
    int libraryVersion_;
    HistoryState state_;
    std::unique_ptr<HistoryLock> lock_;
    std::unique_ptr<sql::Database> db_;
    std::optional<FileIdentity> opened_; // the file db_ reads, while the lock holds it
    int version_ = 0;                    // the schema found
    int lastCode_ = 0; // of the last failed step of open(), to tell damage from the rest
};

struct HistoryStore::Options {
    Durability durability = Durability::Full;
    int busyTimeoutMs = kBusyTimeoutMs;
    int libraryVersion = sql::libraryVersion(); // another only to test the check
};

} // namespace zem
