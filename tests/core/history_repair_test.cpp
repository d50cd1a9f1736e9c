// A damaged history as readers and the writer meet it, the spool, and a
// library too old for the history's SQL.
#include "history/game_spool.h"
#include "history/history_store.h"
#include "history/history_writer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace zem::test {
namespace {

constexpr std::int64_t kNoon = 1'796'698'800;
constexpr int kGames = 10;
constexpr int kManyGames = 600; // seven leaf pages of games
constexpr std::size_t kPage = 4096;

GameRecord game(int n, const char *uid = "") {
    GameRecord g;
    g.uid = uid;
    g.finishedAt = {kNoon + n, 9 * 3600};
    g.strokes = 100;
    g.seconds = 60;
    g.completed = true;
    g.speed = "100";
    g.keys = {{'A', 100, 1}};
    return g;
}

bool exists(const std::string &path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::size_t rootPage(const std::string &path, const char *name) {
    sql::Error error;
    auto db = sql::Database::open(path, sql::Database::Access::ReadOnly, error);
    sql::Statement q(*db, "SELECT rootpage FROM sqlite_schema WHERE name = ?1");
    q.bind(1, std::string_view(name));
    return q.step() == sql::Statement::Step::Row ? std::size_t(q.integer(0)) : 0;
}

enum class Damage {
    NotADatabase,
    EveryPage,       // all but the first page overwritten
    TotalsPage,      // the per-course totals' page: every game row still reads
    SyllablesPage,   // a page no write of these games goes to
    IndexRecords,    // the index's records spoilt, its page whole: REINDEX mends it
    GameLeaves,      // three leaf pages of kManyGames games, the last one among them
    NegativeVersion, // a header no program wrote: every page whole
};

// The leaf pages of the games table, in the order of their ids.
std::vector<std::size_t> gameLeaves(const std::string &path) {
    sql::Error error;
    auto db = sql::Database::open(path, sql::Database::Access::ReadOnly, error);
    sql::Statement q(*db, "SELECT pageno FROM dbstat WHERE name = 'games' AND pagetype = 'leaf' "
                          "ORDER BY path");
    std::vector<std::size_t> pages;
    while (q.step() == sql::Statement::Step::Row)
        pages.push_back(std::size_t(q.integer(0)));
    return pages;
}

// The game rows that read when asked for one by one, by id.
int readableOneByOne(const std::string &path, int games) {
    sql::Error error;
    auto db = sql::Database::open(path, sql::Database::Access::ReadOnly, error);
    if (!db)
        return 0;
    sql::Statement q(*db, "SELECT * FROM games WHERE id = ?1");
    int readable = 0;
    for (int id = 1; id <= games; ++id) {
        q.reset();
        readable += q.bind(1, id).step() == sql::Statement::Step::Row;
    }
    return readable;
}

// Damages a history of kGames games (kManyGames for GameLeaves), as the disk
// might, and answers its bytes.
std::string damage(const std::string &path, Damage how) {
    if (how == Damage::NotADatabase) {
        writeFile(path, "hiscore notes, not SQLite\n");
        return readFile(path);
    }
    {
        HistoryStore store(path, HistoryStore::Role::Writer, HistoryStore::Durability::Relaxed);
        for (int i = 0; i < (how == Damage::GameLeaves ? kManyGames : kGames); ++i)
            store.add(game(i));
    } // the last connection merges the journal into the file
    if (how == Damage::NegativeVersion) {
        sql::Error error;
        EXPECT_FALSE(sql::Database::open(path, sql::Database::Access::ReadWrite, error)
                         ->exec("PRAGMA user_version = -100000000"));
        return readFile(path);
    }
    if (how == Damage::GameLeaves) {
        const std::vector<std::size_t> leaves = gameLeaves(path);
        std::string bytes = readFile(path);
        for (const std::size_t page : {leaves.at(1), leaves.at(leaves.size() / 2), leaves.back()})
            for (std::size_t i = (page - 1) * kPage; i < page * kPage; ++i)
                bytes[i] = char(i * 7);
        writeFile(path, bytes);
        return bytes;
    }
    const std::size_t page = rootPage(path, how == Damage::SyllablesPage  ? "course_syllables"
                                            : how == Damage::IndexRecords ? "games_by_arrival"
                                                                          : "course_totals");
    std::string bytes = readFile(path);
    const std::size_t from = how == Damage::EveryPage ? kPage : (page - 1) * kPage;
    if (how != Damage::IndexRecords) {
        const std::size_t to = how == Damage::EveryPage ? bytes.size() : from + kPage;
        for (std::size_t i = from; i < to; ++i)
            bytes[i] = char(i * 7);
    } else {
        // A leaf of the index: each cell's record says its header is longer
        // than the record, which comparing keys meets and clearing does not.
        auto twoBytes = [&](std::size_t at) {
            return std::size_t(static_cast<unsigned char>(bytes[at])) << 8 |
                   static_cast<unsigned char>(bytes[at + 1]);
        };
        EXPECT_EQ(bytes[from], 0x0A) << "the index is one leaf";
        for (std::size_t cell = 0; cell < twoBytes(from + 3); ++cell)
            bytes[from + twoBytes(from + 8 + 2 * cell) + 1] = 0x7F;
    }
    writeFile(path, bytes);
    return bytes;
}

// No file written meanwhile grows past `bytes`, as on a disk that is full.
struct DiskRoom {
    explicit DiskRoom(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &was);
        const rlimit now{bytes, was.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &now);
    }
    ~DiskRoom() {
        ::setrlimit(RLIMIT_FSIZE, &was);
        std::signal(SIGXFSZ, ignored);
    }
    void (*ignored)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit was{};
};

struct DamageCase {
    const char *name;
    Damage damage;
    bool readerOpen; // a reader has the history open when the writer meets the damage
    bool mended;     // repaired in place, else set aside
    bool fullDisk;   // the disk first has no room for a repair
};

class DamagedHistory : public testing::TestWithParam<DamageCase> {
protected:
    TempDir dir;
    std::string path = dir / "history.sqlite3";
};

// Readers leave a damaged file as it is and say so; the writer waits until
// no one has it open, then mends it or sets it aside whole, with every game
// row that can still be read, one by one, carried into the new history. A
// disk too full for that leaves the damaged file where it was, and the game
// in the spool.
TEST_P(DamagedHistory, ReadersLeaveItWholeAndTheWriterRepairsIt) {
    const DamageCase &c = GetParam();
    const std::string bytes = damage(path, c.damage);
    const int readable = readableOneByOne(path, kManyGames);
    auto reader = std::make_unique<HistoryStore>(path, HistoryStore::Role::Reader);
    reader->totals(GameMode::Word, 100);
    reader->speeds(GameMode::Word, 100, 10);
    reader->topSyllables(GameMode::Word, 100, 10);
    EXPECT_EQ(reader->state().kind, HistoryState::Kind::Damaged) << reader->state().detail;
    EXPECT_TRUE(readFile(path) == bytes);
    EXPECT_FALSE(exists(path + ".damaged-1"));

    if (c.readerOpen) {
        HistoryStore writer(path, HistoryStore::Role::Writer,
                            HistoryStore::Options{.busyTimeoutMs = 100});
        EXPECT_FALSE(writer.add(game(kGames)));
        EXPECT_EQ(writer.state().kind, HistoryState::Kind::Locked);
        EXPECT_TRUE(readFile(path) == bytes);
    }
    reader.reset();

    if (c.fullDisk) {
        {
            const DiskRoom room(bytes.size() / 2);
            HistoryWriter writer(path);
            writer.keep(game(kManyGames, "full01"));
            ASSERT_TRUE(writer.waitIdle(std::chrono::seconds(20)));
            EXPECT_EQ(writer.report().pending, 1);
            EXPECT_EQ(writer.report().inMemory, 0);
            EXPECT_NE(writer.report().lastError.find("repaired history cannot be written"),
                      std::string::npos)
                << writer.report().lastError;
        }
        EXPECT_TRUE(readFile(path) == bytes);
        EXPECT_FALSE(exists(path + ".damaged-1"));
        EXPECT_TRUE(GameSpool::present(path));
    }

    HistoryStore writer(path);
    writer.checkWhole(); // as the game's writer does once a run
    ASSERT_TRUE(writer.add(game(kGames))) << writer.state().detail;
    EXPECT_EQ(writer.state().setAside, c.mended ? "" : path + ".damaged-1");
    if (!c.mended) {
        EXPECT_TRUE(readFile(path + ".damaged-1") == bytes);
    }
    EXPECT_EQ(writer.state().carried, c.mended ? 0 : readable);
    const int games = (c.mended ? kGames : readable) + 1;
    EXPECT_EQ(writer.totals(GameMode::Word, 100).games, games);
    EXPECT_EQ(writer.keyRates(GameMode::Word, 100).at(0).hits, 100 * games);
    EXPECT_EQ(writer.speeds(GameMode::Word, 100, 1000).size(), std::size_t(games));
}

INSTANTIATE_TEST_SUITE_P(
    , DamagedHistory,
    testing::Values(DamageCase{"NotADatabase", Damage::NotADatabase, false, false, false},
                    DamageCase{"EveryPage", Damage::EveryPage, false, false, false},
                    DamageCase{"TotalsPage", Damage::TotalsPage, false, false, false},
                    DamageCase{"TotalsPageWhileAReaderReads", Damage::TotalsPage, true, false,
                               false},
                    DamageCase{"SyllablesPage", Damage::SyllablesPage, false, false, false},
                    DamageCase{"IndexRecords", Damage::IndexRecords, false, true, false},
                    DamageCase{"GameLeaves", Damage::GameLeaves, false, false, false},
                    DamageCase{"GameLeavesOnAFullDisk", Damage::GameLeaves, false, false, true},
                    DamageCase{"NegativeVersion", Damage::NegativeVersion, false, false, false}),
    [](const auto &info) { return std::string(info.param.name); });

// A version beyond this program's is a newer program's history: read, never written.
TEST(HistoryHeader, AVersionFarBeyondThisProgramsIsNewer) {
    TempDir dir;
    const std::string path = dir / "history.sqlite3";
    HistoryStore(path).add(game(0));
    sql::Error error;
    sql::Database::open(path, sql::Database::Access::ReadWrite, error)
        ->exec("PRAGMA user_version = 100000000");
    EXPECT_EQ(HistoryStore(path, HistoryStore::Role::Reader).state().kind,
              HistoryState::Kind::Newer);
    HistoryStore writer(path);
    EXPECT_EQ(writer.state().kind, HistoryState::Kind::Newer);
    EXPECT_FALSE(writer.add(game(1)));
}

TEST(HistoryStoreLibrary, AnSqliteOlderThanTheHistoryNeedsIsRefusedPlainly) {
    TempDir dir;
    const std::string path = dir / "typing-zem/history.sqlite3";
    for (const HistoryStore::Role role : {HistoryStore::Role::Writer, HistoryStore::Role::Reader}) {
        HistoryStore store(path, role, HistoryStore::Options{.libraryVersion = 3'031'001});
        EXPECT_EQ(store.state().kind, HistoryState::Kind::TooOld);
        EXPECT_NE(store.state().detail.find("3.31.1"), std::string::npos) << store.state().detail;
        std::string why;
        EXPECT_FALSE(store.add(game(0), &why));
        EXPECT_NE(why.find("3.35.0"), std::string::npos) << why;
    }
    EXPECT_FALSE(exists(dir / "typing-zem"));
}

// A crash between a game's commit and the spool's emptying leaves the game
// in both: the replay at the next start stores it once, with the one the
// history did not have yet, and empties the spool.
TEST(GameSpoolReplay, AGameStoredBeforeACrashIsNotStoredTwice) {
    TempDir dir;
    const std::string path = dir / "history.sqlite3";
    ASSERT_TRUE(HistoryStore(path).add(game(0, "aa01")));
    {
        GameSpool spool(path);
        ASSERT_TRUE(spool.hold(true));
        ASSERT_TRUE(spool.append({game(0, "aa01"), game(1, "aa02")}));
    }
    {
        HistoryWriter writer(path);
        ASSERT_TRUE(writer.waitIdle(std::chrono::seconds(10)));
        EXPECT_EQ(writer.report().pending, 0) << writer.report().lastError;
    }
    EXPECT_EQ(HistoryStore(path).totals(GameMode::Word, 100).games, 2);
    EXPECT_FALSE(GameSpool::present(path));
}

// A record torn by a crash while it was appended is no game, and the next
// append follows it.
TEST(GameSpoolReplay, ATornRecordIsSkippedAndTheNextFollowsIt) {
    TempDir dir;
    const std::string path = dir / "history.sqlite3";
    GameRecord first = game(1, "bb01");
    // A list's name is a file's: it may hold what the spool separates fields with.
    first.list = "tab\there 100%\nnext";
    first.spelling = SpellingRule::Any;
    first.practice = true;
    first.kana = {{"し", 3, 1}, {"っ", 1, 0}};
    first.confusions = {{'A', 0x82, 2}};
    first.syllables = {{"tu", 2}};
    const std::string whole = GameSpool::encode(first);
    writeFile(GameSpool::pathFor(path), whole + GameSpool::encode(game(2, "bb02")).substr(0, 30));
    GameSpool spool(path);
    ASSERT_TRUE(spool.hold(false));
    ASSERT_EQ(spool.read().size(), 1u);
    ASSERT_TRUE(spool.append({game(3, "bb03")}));
    const std::vector<GameRecord> games = spool.read();
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(GameSpool::encode(games[0]), whole); // every field read back as written
    EXPECT_EQ(games[0].list, first.list);
    EXPECT_EQ(games[1].uid, "bb03");
}

// A record around any payload, as the spool frames one: its length and
// FNV-1a checksum, then the payload.
std::string framed(const std::string &payload) {
    std::uint64_t h = 0xcbf29ce484222325u;
    for (const unsigned char c : payload)
        h = (h ^ c) * 0x100000001b3u;
    char head[64];
    std::snprintf(head, sizeof head, "zem-game %zu %016llx\n", payload.size(),
                  static_cast<unsigned long long>(h));
    return head + payload;
}

// The spool drops nothing unwritten: a stretch that is no record goes, byte
// for byte, to a file beside it, and the games after it are written; a
// record of a later program stays for it.
TEST(GameSpoolReplay, KeepsWhatItCannotReadAndWritesTheGamesAfterIt) {
    const std::string a = GameSpool::encode(game(1, "aa01"));
    const std::string b = GameSpool::encode(game(2, "bb02"));
    const std::string c = GameSpool::encode(game(3, "cc03"));
    std::string flipped = b;
    flipped[flipped.size() - 3] ^= 1;
    const std::string later = framed("game 2.0\tof a later program\n");
    struct Case {
        const char *name;
        std::string spool;
        std::vector<std::string> stored; // uids in the history afterwards
        std::string kept;                // the spool afterwards
        std::string setAside;            // history.sqlite3.spool.damaged-1
    };
    for (const Case &t : {
             Case{"FlippedBitInTheMiddle", a + flipped + c, {"aa01", "cc03"}, "", flipped},
             Case{
                 "TornInTheMiddle", a + b.substr(0, 40) + c, {"aa01", "cc03"}, "", b.substr(0, 40)},
             Case{"LaterProgramsRecord", a + later + c, {"aa01", "cc03"}, later, ""},
         }) {
        SCOPED_TRACE(t.name);
        TempDir dir;
        const std::string path = dir / "history.sqlite3";
        writeFile(GameSpool::pathFor(path), t.spool);
        {
            HistoryWriter writer(path);
            ASSERT_TRUE(writer.waitIdle(std::chrono::seconds(10)));
            EXPECT_EQ(writer.report().pending, 0) << writer.report().lastError;
        }
        std::vector<std::string> stored;
        HistoryStore(path).forEachGame([&](const GameRecord &g) { stored.push_back(g.uid); });
        EXPECT_EQ(stored, t.stored);
        EXPECT_EQ(readFile(GameSpool::pathFor(path)), t.kept);
        EXPECT_EQ(readFile(GameSpool::pathFor(path) + ".damaged-1"), t.setAside);
        EXPECT_FALSE(exists(GameSpool::pathFor(path) + ".damaged-2"));
    }
}

TEST(GameSpoolReplay, ASpoolAtItsLimitRefusesMoreAndSaysSo) {
    TempDir dir;
    const std::string path = dir / "history.sqlite3";
    const std::string first = GameSpool::encode(game(1, "aa01"));
    GameSpool spool(path, first.size() + 10);
    ASSERT_TRUE(spool.hold(true));
    ASSERT_TRUE(spool.append({game(1, "aa01")}));
    std::string why;
    EXPECT_FALSE(spool.append({game(2, "aa02")}, &why));
    EXPECT_NE(why.find("limit"), std::string::npos) << why;
    EXPECT_EQ(readFile(GameSpool::pathFor(path)), first);
}

// How many descriptors of this process have `path` open.
int openedHere(const std::string &path) {
    int count = 0;
    for (const auto &fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code unreadable;
        count += std::filesystem::read_symlink(fd.path(), unreadable) == path;
    }
    return count;
}

// A copy that opened the spool and waits for its lock while a replay puts a
// new file under the name appends to that new file, not to the one unlinked.
TEST(GameSpoolReplay, ACopyWaitingWhileTheSpoolIsReplacedAppendsToTheNewOne) {
    TempDir dir;
    const std::string path = dir / "history.sqlite3";
    const std::string later = framed("game 2.0\tof a later program\n");
    writeFile(GameSpool::pathFor(path), GameSpool::encode(game(1, "aa01")) + later);
    GameSpool replaying(path);
    ASSERT_TRUE(replaying.hold(false));
    std::thread waiting([&] {
        GameSpool spool(path);
        EXPECT_TRUE(spool.hold(false) && spool.append({game(2, "aa02")}));
    });
    while (openedHere(GameSpool::pathFor(path)) < 2)
        std::this_thread::yield();
    EXPECT_EQ(replaying.replay([](const GameRecord &) { return true; }), 0);
    waiting.join();
    EXPECT_EQ(readFile(GameSpool::pathFor(path)), later + GameSpool::encode(game(2, "aa02")));
}

// Opening the history may repair it, and the run's first write looks over
// the whole file: the run's first game is in the spool before either, so
// that a kill meanwhile loses nothing.
TEST(GameSpoolReplay, TheRunsFirstGameIsOnTheDiskBeforeTheHistoryIsOpened) {
    TempDir dir;
    const std::string path = dir / "history.sqlite3";
    std::vector<bool> spooledAtOpen;
    {
        HistoryWriter writer(path, [&](const std::string &p) {
            spooledAtOpen.push_back(GameSpool::present(p));
            return std::make_unique<HistoryStore>(p);
        });
        for (const char *uid : {"aa01", "aa02"}) {
            writer.keep(game(1, uid));
            ASSERT_TRUE(writer.waitIdle(std::chrono::seconds(10)));
        }
    }
    EXPECT_EQ(spooledAtOpen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(GameSpool::present(path));
    EXPECT_EQ(HistoryStore(path).totals(GameMode::Word, 100).games, 2);
}

} // namespace
} // namespace zem::test
