#include "history/history_store.h"

#include "history/history_schema.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

namespace {

constexpr int kStepCount = int(std::size(kSchemaSteps));

std::string folderOf(const std::string &path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// mkdir -p, for the history's folder; true when it exists afterwards.
bool makeFolders(const std::string &folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const std::string parent = folderOf(folder);
    if (parent != folder && parent != "." && !parent.empty() && !makeFolders(parent))
        return false;
    return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

// Moves `from` to `to` unless `to` exists; never replaces a file.
bool moveWithoutReplacing(const std::string &from, const std::string &to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: a second name, then the old one goes.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    return ::unlink(from.c_str()) == 0;
}

bool exists(const std::string &path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string modeText(GameMode mode) {
    return modeName(mode);
}

// Speeds are written with "." under every locale, and so they are read.
double speedValue(const std::string &speed) {
    double value = 0;
    std::from_chars(speed.data(), speed.data() + speed.size(), value);
    return value;
}

} // namespace

int HistoryStore::currentVersion() {
    return kStepCount;
}

// Each step is a transaction that reads the version again once it holds the
// write lock: a second copy opening the history at the same moment finds
// the step done and goes on.
bool HistoryStore::migrate(sql::Database &db, int version, std::string *why) {
    for (;;) {
        sql::Transaction transaction(db);
        sql::Error error;
        int found = 0;
        if (!transaction.begun()) {
            error = db.lastError();
        } else {
            sql::Statement read(db, "PRAGMA user_version");
            if (read.step() == sql::Statement::Step::Row)
                found = int(read.integer(0));
            else
                error = db.lastError();
        }
        if (!error && (found >= version || found >= kStepCount))
            return true;
        if (!error)
            error = db.exec(kSchemaSteps[found]);
        if (!error)
            error = db.exec(("PRAGMA user_version = " + std::to_string(found + 1)).c_str());
        if (!error)
            error = transaction.commit();
        if (error) {
            if (why)
                *why = error.message.empty() ? "schema update failed" : error.message;
            return false;
        }
    }
}

HistoryStore::HistoryStore(std::string path, Durability durability, int busyTimeoutMs)
    : path_(std::move(path)), durability_(durability), busyTimeoutMs_(busyTimeoutMs) {
    open();
}

HistoryStore::~HistoryStore() = default;

namespace {

bool isDamage(int code) {
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

} // namespace

void HistoryStore::open() {
    state_ = {};
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        state_.detail = path_ + ": not a regular file";
        return;
    }
    if (!makeFolders(folderOf(path_))) {
        state_.detail = folderOf(path_) + ": " + std::strerror(errno);
        return;
    }
    if (openDatabase() || !isDamage(lastCode_))
        return;
    setAside();
    if (!state_.setAside.empty()) {
        const std::string aside = state_.setAside;
        openDatabase();
        state_.setAside = aside;
    }
}

bool HistoryStore::openDatabase() {
    using sql::Database;
    db_.reset();
    lastCode_ = 0;
    const bool existed = exists(path_);
    sql::Error error;
    db_ = Database::open(path_, Database::Access::ReadWriteCreate, error);
    if (!db_ && existed)
        db_ = Database::open(path_, Database::Access::ReadOnly, error);
    auto fail = [&](const sql::Error &e) {
        lastCode_ = e.code;
        state_.kind = HistoryState::Kind::Unavailable;
        state_.detail = e.message;
        db_.reset();
        return false;
    };
    if (!db_)
        return fail(error);
    db_->setBusyTimeout(busyTimeoutMs_);

    sql::Statement version(*db_, "PRAGMA user_version");
    if (version.step() != sql::Statement::Step::Row)
        return fail(db_->lastError());
    const int found = int(version.integer(0));
    version.reset();
    const bool readOnly = db_->readOnly();
    if (found > kStepCount) {
        state_.kind = HistoryState::Kind::Newer;
        state_.detail = "schema version " + std::to_string(found);
        return true;
    }
    if (!readOnly) {
        sql::Statement wal(*db_, "PRAGMA journal_mode = WAL");
        if (wal.step() != sql::Statement::Step::Row)
            return fail(db_->lastError());
        const char *sync = durability_ == Durability::Full ? "PRAGMA synchronous = FULL"
                                                           : "PRAGMA synchronous = OFF";
        if (sql::Error e = db_->exec(sync))
            return fail(e);
    }
    if (sql::Error e = db_->exec("PRAGMA foreign_keys = ON"))
        return fail(e);
    if (found < kStepCount) {
        std::string why;
        if (readOnly || !migrate(*db_, kStepCount, &why)) {
            const sql::Error e = db_->lastError();
            return fail(readOnly ? sql::Error{SQLITE_READONLY,
                                              "read-only, schema version " + std::to_string(found)}
                                 : sql::Error{e.code ? e.code : SQLITE_ERROR, why});
        }
    }
    state_.kind = readOnly ? HistoryState::Kind::ReadOnly : HistoryState::Kind::Ready;
    if (readOnly)
        state_.detail = "read-only";
    return true;
}

// The damaged file and its journal go to the first free name beside it, so
// that nothing of it is lost and a new history can start under the old name.
void HistoryStore::setAside() {
    db_.reset();
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = path_ + ".damaged-" + std::to_string(n);
        if (exists(aside) || exists(aside + "-wal") || exists(aside + "-shm"))
            continue;
        if (!moveWithoutReplacing(path_, aside)) {
            if (errno == EEXIST)
                continue;
            state_.detail += std::string("; cannot move it aside: ") + std::strerror(errno);
            return;
        }
        for (const char *suffix : {"-wal", "-shm"})
            if (exists(path_ + suffix))
                moveWithoutReplacing(path_ + suffix, aside + suffix);
        state_.setAside = aside;
        return;
    }
}

bool HistoryStore::add(const GameRecord &game, std::string *why) {
    if (state_.kind != HistoryState::Kind::Ready) {
        if (why)
            *why = state_.detail.empty() ? "history not writable" : state_.detail;
        return false;
    }
    sql::Error error;
    if (insert(game, error))
        return true;
    if (isDamage(error.code)) {
        setAside();
        if (!state_.setAside.empty()) {
            const std::string aside = state_.setAside;
            if (openDatabase() && insert(game, error)) {
                state_.setAside = aside;
                return true;
            }
            state_.setAside = aside;
        }
    }
    if (why)
        *why = error.message;
    return false;
}

bool HistoryStore::insert(const GameRecord &game, sql::Error &error) {
    sql::Database &db = *db_;
    sql::Transaction transaction(db);
    auto failed = [&] {
        error = db.lastError();
        if (!error)
            error = {SQLITE_ERROR, "history write failed"};
        return false;
    };
    if (!transaction.begun())
        return failed();
    const std::string mode = modeText(game.mode);
    const double speed = game.completed ? speedValue(game.speed) : 0.0;

    sql::Statement best(db, "SELECT best FROM course_totals WHERE mode = ?1 AND course = ?2");
    best.bind(1, mode).bind(2, game.course);
    sql::Statement::Step step = best.step();
    if (step == sql::Statement::Step::Failed)
        return failed();
    const double bestBefore = step == sql::Statement::Step::Row ? best.real(0) : 0.0;
    const double bestNow = game.completed && speed > bestBefore ? speed : bestBefore;

    sql::Statement row(db, "INSERT INTO games (finished_unix, utc_offset, mode, course, strokes, "
                           "misses, seconds, speed, completed, new_record, best_so_far) "
                           "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    row.bind(1, game.finishedAt.unixSeconds)
        .bind(2, game.finishedAt.utcOffsetSeconds)
        .bind(3, mode)
        .bind(4, game.course)
        .bind(5, game.strokes)
        .bind(6, game.misses)
        .bind(7, game.seconds)
        .bind(9, game.completed ? 1 : 0)
        .bind(10, game.newRecord ? 1 : 0);
    if (game.completed) {
        row.bind(8, game.speed);
        row.bindReal(11, bestNow);
    } else {
        row.bindNull(8).bindNull(11);
    }
    if (!row.run())
        return failed();
    const std::int64_t id = db.lastInsertRowid();

    sql::Statement totals(
        db, "INSERT INTO course_totals AS t VALUES (?1, ?2, 1, ?3, ?4, ?5, ?6, ?7) "
            "ON CONFLICT DO UPDATE SET games = t.games + 1, "
            "completed_games = t.completed_games + excluded.completed_games, "
            "seconds = t.seconds + excluded.seconds, strokes = t.strokes + excluded.strokes, "
            "misses = t.misses + excluded.misses, best = MAX(t.best, excluded.best)");
    totals.bind(1, mode)
        .bind(2, game.course)
        .bind(3, game.completed ? 1 : 0)
        .bind(4, game.seconds)
        .bind(5, game.strokes)
        .bind(6, game.misses);
    if (!totals.bindReal(7, bestNow).run())
        return failed();

    sql::Statement key(db, "INSERT INTO game_keys VALUES (?1, ?2, ?3, ?4)");
    sql::Statement keyTotal(db, "INSERT INTO course_keys AS t VALUES (?1, ?2, ?3, ?4, ?5) "
                                "ON CONFLICT DO UPDATE SET hits = t.hits + excluded.hits, "
                                "misses = t.misses + excluded.misses");
    for (const KeyTally &k : game.keys) {
        const std::string_view name(&k.key, 1);
        key.bind(1, id).bind(2, name).bind(3, k.hits).bind(4, k.misses);
        keyTotal.bind(1, mode).bind(2, game.course).bind(3, name).bind(4, k.hits).bind(5, k.misses);
        if (!key.run() || !keyTotal.run())
            return failed();
        key.reset();
        keyTotal.reset();
    }
    sql::Statement confusion(db, "INSERT INTO game_confusions VALUES (?1, ?2, ?3, ?4)");
    sql::Statement confusionTotal(db,
                                  "INSERT INTO course_confusions AS t VALUES (?1, ?2, ?3, ?4, ?5) "
                                  "ON CONFLICT DO UPDATE SET count = t.count + excluded.count");
    for (const Confusion &c : game.confusions) {
        const std::string_view expected(&c.expected, 1);
        confusion.bind(1, id).bind(2, expected).bind(3, c.typed).bind(4, c.count);
        confusionTotal.bind(1, mode)
            .bind(2, game.course)
            .bind(3, expected)
            .bind(4, c.typed)
            .bind(5, c.count);
        if (!confusion.run() || !confusionTotal.run())
            return failed();
        confusion.reset();
        confusionTotal.reset();
    }
    sql::Statement syllable(db, "INSERT INTO game_syllables VALUES (?1, ?2, ?3)");
    sql::Statement syllableTotal(db, "INSERT INTO course_syllables AS t VALUES (?1, ?2, ?3, ?4) "
                                     "ON CONFLICT DO UPDATE SET count = t.count + excluded.count");
    for (const SyllableMisses &s : game.syllables) {
        syllable.bind(1, id).bind(2, s.syllable).bind(3, s.count);
        syllableTotal.bind(1, mode).bind(2, game.course).bind(3, s.syllable).bind(4, s.count);
        if (!syllable.run() || !syllableTotal.run())
            return failed();
        syllable.reset();
        syllableTotal.reset();
    }
    error = transaction.commit();
    return !error;
}

HistoryTotals HistoryStore::readTotals(sql::Statement &query) {
    HistoryTotals t;
    if (query.step() == sql::Statement::Step::Row) {
        t.games = query.integer(0);
        t.completedGames = query.integer(1);
        t.seconds = query.integer(2);
        t.strokes = query.integer(3);
        t.misses = query.integer(4);
        t.best = query.real(5);
    }
    return t;
}

HistoryTotals HistoryStore::totals(GameMode mode, int course) {
    if (!db_)
        return {};
    sql::Statement q(*db_, "SELECT games, completed_games, seconds, strokes, misses, best "
                           "FROM course_totals WHERE mode = ?1 AND course = ?2");
    q.bind(1, modeText(mode)).bind(2, course);
    return readTotals(q);
}

HistoryTotals HistoryStore::totalsOfAll() {
    if (!db_)
        return {};
    sql::Statement q(*db_, "SELECT COALESCE(SUM(games), 0), COALESCE(SUM(completed_games), 0), "
                           "COALESCE(SUM(seconds), 0), COALESCE(SUM(strokes), 0), "
                           "COALESCE(SUM(misses), 0), COALESCE(MAX(best), 0) FROM course_totals");
    return readTotals(q);
}

// Runs a query of one mode and course, with ?3 the row limit when it has
// one, and hands each row to `each`; nothing when there is no database.
template <typename Each>
void HistoryStore::eachRow(const char *sql, GameMode mode, int course, int limit, Each each) {
    if (!db_)
        return;
    sql::Statement q(*db_, sql);
    q.bind(1, modeText(mode)).bind(2, course);
    if (limit >= 0)
        q.bind(3, limit);
    while (q.step() == sql::Statement::Step::Row)
        each(q);
}

std::vector<SpeedPoint> HistoryStore::speeds(GameMode mode, int course, int limit) {
    std::vector<SpeedPoint> points;
    eachRow("SELECT finished_unix, utc_offset, CAST(speed AS REAL), best_so_far, new_record "
            "FROM games WHERE mode = ?1 AND course = ?2 AND completed = 1 "
            "ORDER BY finished_unix DESC, id DESC LIMIT ?3",
            mode, course, limit, [&](const sql::Statement &q) {
                points.push_back({{q.integer(0), std::int32_t(q.integer(1))},
                                  q.real(2),
                                  q.real(3),
                                  q.integer(4) != 0});
            });
    return {points.rbegin(), points.rend()};
}

std::vector<KeyRate> HistoryStore::keyRates(GameMode mode, int course) {
    std::vector<KeyRate> rates;
    eachRow("SELECT key, hits, misses FROM course_keys WHERE mode = ?1 AND course = ?2 "
            "ORDER BY key",
            mode, course, -1, [&](const sql::Statement &q) {
                const std::string key = q.text(0);
                if (key.size() == 1)
                    rates.push_back({key[0], q.integer(1), q.integer(2)});
            });
    return rates;
}

std::vector<ConfusionTotal> HistoryStore::topConfusions(GameMode mode, int course, int limit) {
    std::vector<ConfusionTotal> top;
    eachRow("SELECT expected, typed, count FROM course_confusions WHERE mode = ?1 AND "
            "course = ?2 ORDER BY count DESC, expected, typed LIMIT ?3",
            mode, course, limit, [&](const sql::Statement &q) {
                const std::string expected = q.text(0);
                if (expected.size() == 1)
                    top.push_back(
                        {expected[0], static_cast<unsigned char>(q.integer(1)), q.integer(2)});
            });
    return top;
}

std::vector<SyllableTotal> HistoryStore::topSyllables(GameMode mode, int course, int limit) {
    std::vector<SyllableTotal> top;
    eachRow("SELECT syllable, count FROM course_syllables WHERE mode = ?1 AND course = ?2 "
            "ORDER BY count DESC, syllable LIMIT ?3",
            mode, course, limit, [&](const sql::Statement &q) {
                top.push_back({q.text(0), q.integer(1)});
            });
    return top;
}

bool HistoryStore::forEachGame(const std::function<void(const GameRecord &)> &each) {
    if (!db_)
        return false;
    sql::Statement q(*db_, "SELECT finished_unix, utc_offset, mode, course, strokes, misses, "
                           "seconds, speed, completed, new_record FROM games "
                           "ORDER BY finished_unix, id");
    GameRecord game;
    for (;;) {
        switch (q.step()) {
        case sql::Statement::Step::Done:
            return true;
        case sql::Statement::Step::Failed:
            return false;
        case sql::Statement::Step::Row:
            break;
        }
        game.finishedAt = {q.integer(0), std::int32_t(q.integer(1))};
        game.mode = q.text(2) == "proverb" ? GameMode::Proverb : GameMode::Word;
        game.course = std::int32_t(q.integer(3));
        game.strokes = std::int32_t(q.integer(4));
        game.misses = std::int32_t(q.integer(5));
        game.seconds = std::int32_t(q.integer(6));
        game.speed = q.isNull(7) ? std::string() : q.text(7);
        game.completed = q.integer(8) != 0;
        game.newRecord = q.integer(9) != 0;
        each(game);
    }
}

} // namespace zem
