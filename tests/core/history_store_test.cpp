#include "history/csv_export.h"
#include "history/history_schema.h"
#include "history/history_store.h"
#include "history/history_writer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zem::test {
namespace {

constexpr std::int64_t kDec8Noon = 1'796'698'800; // 2026-12-08 12:00 in Tokyo

GameRecord game(std::int64_t unix, bool completed, const char *speed,
                GameMode mode = GameMode::Word, int course = 100) {
    GameRecord g;
    g.finishedAt = {unix, 9 * 3600};
    g.mode = mode;
    g.course = course;
    g.strokes = completed ? course : 40;
    g.misses = 3;
    g.seconds = 61;
    g.completed = completed;
    g.speed = completed ? speed : "";
    g.keys = {{'K', 30, 2}, {'U', 20, 1}};
    g.confusions = {{'K', 'X', 2}, {'U', ' ', 1}};
    g.syllables = {{"ku", 3}};
    return g;
}

class HistoryStoreTest : public testing::Test {
protected:
    TempDir dir;
    std::string path = dir / "typing-zem/history.sqlite3";
};

TEST_F(HistoryStoreTest, KeepsGamesAndTheirTotalsAndWritesThemAsCsv) {
    {
        HistoryStore store(path);
        ASSERT_EQ(store.state().kind, HistoryState::Kind::Ready) << store.state().detail;
        ASSERT_TRUE(store.add(game(kDec8Noon, true, "98.36")));
        ASSERT_TRUE(store.add(game(kDec8Noon + 600, false, "")));
        ASSERT_TRUE(store.add(game(kDec8Noon + 86400, true, "120.5")));
        ASSERT_TRUE(store.add(game(kDec8Noon + 90000, true, "110")));
        ASSERT_TRUE(store.add(game(kDec8Noon + 99999, true, "300", GameMode::Proverb)));
    }
    HistoryStore store(path); // read back by a new connection
    const HistoryTotals t = store.totals(GameMode::Word, 100);
    EXPECT_EQ(t.games, 4);
    EXPECT_EQ(t.completedGames, 3);
    EXPECT_EQ(t.seconds, 4 * 61);
    EXPECT_EQ(t.strokes, 340);
    EXPECT_EQ(t.misses, 12);
    EXPECT_DOUBLE_EQ(t.best, 120.5);
    EXPECT_EQ(store.totalsOfAll().games, 5);

    const std::vector<SpeedPoint> points = store.speeds(GameMode::Word, 100, 2);
    ASSERT_EQ(points.size(), 2u); // the latest two, oldest first
    EXPECT_DOUBLE_EQ(points[0].speed, 120.5);
    EXPECT_DOUBLE_EQ(points[1].speed, 110);
    EXPECT_DOUBLE_EQ(points[1].bestSoFar, 120.5);

    const std::vector<KeyRate> keys = store.keyRates(GameMode::Word, 100);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].key, 'K');
    EXPECT_EQ(keys[0].hits, 120);
    EXPECT_EQ(keys[0].misses, 8);
    const std::vector<ConfusionTotal> pairs = store.topConfusions(GameMode::Word, 100, 1);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].expected, 'K');
    EXPECT_EQ(pairs[0].typed, 'X');
    EXPECT_EQ(pairs[0].count, 8);
    ASSERT_EQ(store.topSyllables(GameMode::Word, 100, 5).size(), 1u);
    EXPECT_EQ(store.topSyllables(GameMode::Word, 100, 5)[0].count, 12);

    std::ostringstream csv;
    ASSERT_EQ(writeHistoryCsv(path, csv).outcome, CsvExport::Outcome::Written);
    const std::string text = csv.str();
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "finished_at,mode,course,strokes,misses,seconds,speed,completed,new_record,"
              "spelling,list,practice");
    EXPECT_NE(text.find("\r\n2026-12-08T12:00:00+09:00,word,100,100,3,61,98.36,1,0,table,,0\r\n"
                        "2026-12-08T12:10:00+09:00,word,100,40,3,61,,0,0,table,,0\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

// Games of a list, of practice and of the other spelling rule are kept apart
// where they must be: a list has its own totals and chart, a practice game
// raises no best and is on no chart, and the CSV says which is which.
TEST_F(HistoryStoreTest, KeepsEachSourceApartAndPracticeOffTheRecords) {
    auto kept = [](GameRecord g, const char *list, bool practice, std::vector<KanaTally> kana) {
        g.list = list;
        g.practice = practice;
        g.spelling = practice ? SpellingRule::Any : SpellingRule::Table;
        g.kana = std::move(kana);
        return g;
    };
    {
        HistoryStore store(path);
        ASSERT_TRUE(store.add(kept(game(kDec8Noon, true, "100"), "", false, {{"し", 40, 9}})));
        ASSERT_TRUE(store.add(kept(game(kDec8Noon + 1, true, "250"), "", true, {{"し", 60, 1}})));
        ASSERT_TRUE(store.add(kept(game(kDec8Noon + 2, true, "90"), "都道府県", false,
                                   {{"と", 30, 4}, {"し", 10, 2}})));
        ASSERT_TRUE(store.add(kept(game(kDec8Noon + 3, false, ""), "a,b", false, {})));
        // A lesson step's games: a completed one, and one stopped.
        ASSERT_TRUE(store.add(kept(game(kDec8Noon + 4, true, "72.5"), "lesson/3", false, {})));
        ASSERT_TRUE(store.add(kept(game(kDec8Noon + 5, false, ""), "lesson/4", false, {})));
    }
    HistoryStore store(path, HistoryStore::Role::Reader);
    const HistorySource prefectures = HistorySource::ofList("都道府県");
    EXPECT_DOUBLE_EQ(store.totals(GameMode::Word, 100).best, 100); // not the practice game's 250
    EXPECT_EQ(store.totals(GameMode::Word, 100).games, 2);
    EXPECT_EQ(store.totals(prefectures, 100).games, 1);
    EXPECT_DOUBLE_EQ(store.totals(prefectures, 100).best, 90);
    ASSERT_EQ(store.speeds(GameMode::Word, 100, 10).size(), 1u);
    ASSERT_EQ(store.speeds(prefectures, 100, 10).size(), 1u);
    // A lesson step's list is no player's; its completed games are read for the pass mark.
    EXPECT_EQ(store.lists(), (std::vector<std::string>{"a,b", "都道府県"}));
    const std::vector<LessonGame> lessons = store.lessonGames();
    ASSERT_EQ(lessons.size(), 1u);
    EXPECT_EQ(lessons[0].step, 3);
    EXPECT_DOUBLE_EQ(lessons[0].speed, 72.5);
    EXPECT_EQ(lessons[0].strokes + lessons[0].misses, 103);

    const std::vector<KanaTotal> kana = store.topKana(prefectures, 100, 5);
    ASSERT_EQ(kana.size(), 2u);
    EXPECT_EQ(kana[0].kana, "と");
    EXPECT_EQ(kana[0].misses, 4);
    // The latest games until 300 judged strokes: the practice game (103) and the first (103)
    // are all the table has.
    EXPECT_EQ(store.recentGames(GameMode::Word, 300).size(), 2u);
    EXPECT_EQ(store.recentGames(GameMode::Word, 50).size(), 1u);
    const PracticeProgress progress = store.practiceProgress(GameMode::Word, {"し"});
    ASSERT_TRUE(progress.practised);
    EXPECT_EQ(progress.before[0].misses, 9);
    EXPECT_EQ(progress.since[0].misses, 1);
    EXPECT_FALSE(store.practiceProgress(prefectures, {"と"}).practised);

    std::ostringstream csv;
    ASSERT_EQ(writeHistoryCsv(path, csv).outcome, CsvExport::Outcome::Written);
    EXPECT_NE(csv.str().find(",word,100,100,3,61,250,1,0,any,,1\r\n"), std::string::npos);
    EXPECT_NE(csv.str().find(",list,100,100,3,61,90,1,0,table,都道府県,0\r\n"), std::string::npos);
    EXPECT_NE(csv.str().find(",list,100,40,3,61,,0,0,table,\"a,b\",0\r\n"), std::string::npos)
        << csv.str();
    EXPECT_NE(csv.str().find(",lesson,100,100,3,61,72.5,1,0,table,3,0\r\n"), std::string::npos)
        << csv.str();
}

// A history written by the first schema (games and their keys, no totals)
// opens with every game in its totals and best-so-far.
TEST_F(HistoryStoreTest, MigratesAHistoryOfTheFirstSchema) {
    ::mkdir((dir / "typing-zem").c_str(), 0755);
    {
        sql::Error error;
        auto db = sql::Database::open(path, sql::Database::Access::ReadWriteCreate, error);
        ASSERT_TRUE(db && HistoryStore::migrate(*db, 1));
        ASSERT_FALSE(db->exec(
            "INSERT INTO games VALUES (1, 1796698800, 32400, 'word', 100, 100, 2, 60, '100', 1, 1);"
            "INSERT INTO games VALUES (2, 1796698900, 32400, 'word', 100, 100, 9, 80, '75', 1, 0);"
            "INSERT INTO game_keys VALUES (1, 'A', 50, 2), (2, 'A', 40, 9);"
            "INSERT INTO game_syllables VALUES (2, 'sa', 9);"));
    }
    HistoryStore store(path);
    ASSERT_EQ(store.state().kind, HistoryState::Kind::Ready) << store.state().detail;
    EXPECT_EQ(store.totals(GameMode::Word, 100).games, 2);
    EXPECT_DOUBLE_EQ(store.totals(GameMode::Word, 100).best, 100);
    const auto points = store.speeds(GameMode::Word, 100, 10);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_DOUBLE_EQ(points[1].bestSoFar, 100);
    EXPECT_EQ(store.keyRates(GameMode::Word, 100)[0].misses, 11);
    ASSERT_TRUE(store.add(game(kDec8Noon + 999, true, "130")));
    EXPECT_DOUBLE_EQ(store.totals(GameMode::Word, 100).best, 130);
}

// The clock only places a game on the chart: a clock set back between two
// games leaves them in the order they came, and best-so-far by that order.
TEST_F(HistoryStoreTest, TheLatestGamesAndTheBestSoFarFollowArrivalNotTheClock) {
    HistoryStore store(path);
    ASSERT_TRUE(store.add(game(kDec8Noon, true, "200")));
    ASSERT_TRUE(store.add(game(kDec8Noon - 3600, true, "100")));
    const std::vector<SpeedPoint> latest = store.speeds(GameMode::Word, 100, 1);
    ASSERT_EQ(latest.size(), 1u);
    EXPECT_DOUBLE_EQ(latest[0].speed, 100);
    EXPECT_DOUBLE_EQ(latest[0].bestSoFar, 200);
    std::vector<std::string> speeds;
    store.forEachGame([&](const GameRecord &g) { speeds.push_back(g.speed); });
    EXPECT_EQ(speeds, (std::vector<std::string>{"200", "100"}));
}

// Two running copies, each with its own connection, write at once.
TEST_F(HistoryStoreTest, TwoWritersBothKeepEveryGame) {
    HistoryStore first(path), second(path);
    auto write = [](HistoryStore &store, std::int64_t base) {
        for (int i = 0; i < 40; ++i)
            EXPECT_TRUE(store.add(game(base + i, true, "100")));
    };
    std::thread a(write, std::ref(first), kDec8Noon), b(write, std::ref(second), kDec8Noon + 1000);
    a.join();
    b.join();
    EXPECT_EQ(HistoryStore(path).totals(GameMode::Word, 100).games, 80);
}

// Runs `check` as a user who cannot write a 0555 folder: root writes anywhere,
// so as root it runs in a child that gives up root first.
bool asUnprivileged(const std::function<bool()> &check) {
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(HistoryStoreTest, AReadOnlyFolderRefusesGamesWithoutFailing) {
    const std::string folder = dir / "typing-zem";
    ::mkdir(folder.c_str(), 0555);
    ::chmod((dir / ".").c_str(), 0755);
    EXPECT_TRUE(asUnprivileged([&] {
        HistoryStore store(path);
        std::string why;
        return store.state().kind == HistoryState::Kind::Unavailable &&
               !store.add(game(kDec8Noon, true, "100"), &why) && !why.empty() &&
               store.totals(GameMode::Word, 100).games == 0;
    }));
}

// A game that meets a locked history goes to the spool and survives the
// program's end while the history stays locked; the next start takes it up,
// and its back-off timer writes it once the lock is gone, with no new game.
TEST_F(HistoryStoreTest, AGameFinishedWhileTheHistoryIsLockedIsWrittenAfterTheNextStart) {
    HistoryStore(path).add(game(kDec8Noon, true, "100"));
    sql::Error error;
    auto locker = sql::Database::open(path, sql::Database::Access::ReadWrite, error);
    ASSERT_FALSE(locker->exec("BEGIN EXCLUSIVE"));
    auto briefly = [](const std::string &p) {
        return std::make_unique<HistoryStore>(p, HistoryStore::Role::Writer,
                                              HistoryStore::Options{.busyTimeoutMs = 50});
    };
    {
        HistoryWriter writer(path, briefly, std::chrono::milliseconds(20));
        writer.keep(game(kDec8Noon + 1, true, "100"));
        ASSERT_TRUE(writer.waitIdle(std::chrono::seconds(10)));
        EXPECT_EQ(writer.report().pending, 1);
        EXPECT_EQ(writer.report().inMemory, 0);
        EXPECT_FALSE(writer.report().lastError.empty());
    } // the program ends, as by SIGTERM, with the history still locked

    HistoryWriter next(path, briefly, std::chrono::milliseconds(20));
    ASSERT_TRUE(next.waitIdle(std::chrono::seconds(10)));
    EXPECT_EQ(next.report().pending, 1);
    ASSERT_FALSE(locker->exec("COMMIT"));
    for (int i = 0; i < 500 && next.report().pending != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(next.report().pending, 0) << next.report().lastError;
    EXPECT_EQ(HistoryStore(path).totals(GameMode::Word, 100).games, 2);
}

// SQLite is the process's, shared with whatever else in it uses SQLite (an
// input method, a file dialog's helpers): a connection of the test's own,
// with a statement prepared before, stays usable while the writer opens and
// closes the history for two games.
TEST_F(HistoryStoreTest, AnotherConnectionInTheProcessStaysUsableAcrossTwoGames) {
    sqlite3 *own = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "own.sqlite3").c_str(), &own), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(own, "CREATE TABLE t (n INTEGER)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_stmt *insert = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(own, "INSERT INTO t VALUES (?1)", -1, &insert, nullptr),
              SQLITE_OK);
    {
        HistoryWriter writer(path);
        for (int i = 0; i < 2; ++i) {
            writer.keep(game(kDec8Noon + i, true, "100"));
            ASSERT_TRUE(writer.waitIdle(std::chrono::seconds(10)));
            EXPECT_EQ(writer.report().pending, 0) << writer.report().lastError;
            sqlite3_bind_int(insert, 1, i);
            EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE) << sqlite3_errmsg(own);
            sqlite3_reset(insert);
        }
    }
    sqlite3_finalize(insert);
    EXPECT_EQ(sqlite3_exec(own, "SELECT * FROM t", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_close(own), SQLITE_OK);
    EXPECT_EQ(HistoryStore(path).totals(GameMode::Word, 100).games, 2);
}

} // namespace
} // namespace zem::test
