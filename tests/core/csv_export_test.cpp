#include "history/csv_export.h"
#include "history/game_spool.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zem::test {
namespace {

const std::string kHeader = std::string(kHistoryCsvHeader) + "\r\n";
constexpr const char *kRow = "2026-12-08T12:00:00+09:00,word,100,100,2,60,100,1,0,table,,0\r\n";

// A history of schema `version` (beyond this program's too) with kRow's game.
void makeHistory(const std::string &path, int version) {
    sql::Error error;
    auto db = sql::Database::open(path, sql::Database::Access::ReadWriteCreate, error);
    ASSERT_TRUE(db && HistoryStore::migrate(*db, version));
    ASSERT_FALSE(db->exec("INSERT INTO games (finished_unix, utc_offset, mode, course, strokes, "
                          "misses, seconds, speed, completed, new_record) "
                          "VALUES (1796698800, 32400, 'word', 100, 100, 2, 60, '100', 1, 0)"));
    ASSERT_FALSE(db->exec(("PRAGMA user_version = " + std::to_string(version)).c_str()));
}

// A history of another version is read as it lies, a damaged one refused
// whole; each file stays as it was.
TEST(HistoryCsvExport, ReadsOtherVersionsAsTheyLieAndRefusesADamagedHistory) {
    struct Case {
        int version; // 0: no database at all
        HistoryState::Kind kind;
        std::string csv;
    } const cases[] = {{1, HistoryState::Kind::Older, kHeader + kRow},
                       {99, HistoryState::Kind::Newer, kHeader + kRow},
                       {0, HistoryState::Kind::Damaged, ""}};
    for (const Case &c : cases) {
        TempDir dir;
        const std::string path = dir / "history.sqlite3";
        if (c.version)
            makeHistory(path, c.version);
        else
            writeFile(path, std::string(4096, 'x'));
        const std::string before = readFile(path);
        std::ostringstream out;
        const CsvExport done = writeHistoryCsv(path, out);
        EXPECT_EQ(done.state.kind, c.kind) << c.version << ": " << done.state.detail;
        EXPECT_EQ(done.outcome == CsvExport::Outcome::Written, !c.csv.empty()) << c.version;
        EXPECT_EQ(out.str(), c.csv) << c.version;
        EXPECT_EQ(readFile(path), before) << c.version;
    }
}

// A crash between a spooled game's write and the spool's clearing leaves it
// in both: each game is written once, the history's first.
TEST(HistoryCsvExport, WritesTheSpooledGamesOnceAfterTheHistorys) {
    auto game = [](const char *uid, int misses) {
        GameRecord g;
        g.uid = uid;
        g.finishedAt = {1'796'698'800, 9 * 3600};
        g.strokes = 100;
        g.misses = misses;
        g.seconds = 60;
        g.speed = "100";
        g.completed = true;
        return g;
    };
    TempDir dir;
    const std::string path = dir / "history.sqlite3";
    ASSERT_TRUE(HistoryStore(path).add(game("a", 2)));
    {
        GameSpool spool(path);
        ASSERT_TRUE(spool.hold(true) && spool.append({game("b", 7), game("a", 2), game("b", 7)}));
    }
    const std::string spooled = readFile(GameSpool::pathFor(path));
    std::ostringstream out;
    EXPECT_EQ(writeHistoryCsv(path, out).spooled, 1);
    EXPECT_EQ(out.str(),
              kHeader + kRow + "2026-12-08T12:00:00+09:00,word,100,100,7,60,100,1,0,table,,0\r\n");
    EXPECT_EQ(readFile(GameSpool::pathFor(path)), spooled);
}

} // namespace
} // namespace zem::test
