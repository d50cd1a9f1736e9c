#include "history/history_repair.h"

#include "history/game_rows.h"
#include "history/history_store.h"
#include "history/sqlite.h"
#include "model/descriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

namespace {

using Step = sql::Statement::Step;
constexpr std::int64_t kLastId = std::numeric_limits<std::int64_t>::max();

bool exists(const std::string &path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string folderOf(const std::string &path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
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

bool syncPath(const std::string &path, int flags) {
    const Descriptor fd(::open(path.c_str(), flags | O_CLOEXEC));
    return fd.get() >= 0 && ::fsync(fd.get()) == 0;
}

std::int64_t firstInteger(sql::Database &db, const char *sql, std::int64_t otherwise) {
    sql::Statement q(db, sql);
    return q.step() == Step::Row && !q.isNull(0) ? q.integer(0) : otherwise;
}

// An index rebuilt from its table mends the commonest damage in place; the
// rebuild is kept only when the whole file then checks sound, and the
// journal is left unmerged, so that a failed try changes no byte of the file.
// A header whose schema version is below zero no rebuild mends.
bool mendIndexes(const std::string &path) {
    sql::Error error;
    auto db = sql::Database::open(path, sql::Database::Access::ReadWrite, error);
    if (!db || firstInteger(*db, "PRAGMA user_version", -1) < 0)
        return false;
    db->keepJournalAtClose();
    sql::Transaction transaction(*db);
    if (!transaction.begun() || db->exec("REINDEX"))
        return false;
    sql::Statement check(*db, "PRAGMA integrity_check(1)");
    if (check.step() != Step::Row || check.text(0) != "ok")
        return false;
    check.reset();
    return !transaction.commit();
}

// Every game row of `old` that can be read, in arrival order, into `fresh`;
// false, with `error`, when `fresh` refuses one. A page that cannot be read
// is stepped over one id at a time, so the rows right after it are found;
// ids are probed no further than the last one a readable table names, nor
// more often than the file has room for rows (a row takes 5 bytes at least).
bool carryRows(sql::Database &old, std::int64_t fileSize, sql::Database &fresh,
               std::int64_t &carried, sql::Error &error) {
    int version = int(firstInteger(old, "PRAGMA user_version", 0));
    if (version < 1 || version > HistoryStore::currentVersion())
        version = HistoryStore::currentVersion(); // a damaged header: try the schema of today
    const std::int64_t last = std::max(firstInteger(old, "SELECT max(id) FROM games", 0),
                                       firstInteger(old, "SELECT max(game_id) FROM game_keys", 0));
    std::int64_t probes = fileSize / 5;
    sql::Statement rows(old, "SELECT " + gameColumns(version) +
                                 " FROM games WHERE id >= ?1 ORDER BY id");
    sql::Statement probe(old, "SELECT 1 FROM games WHERE id = ?1");
    GameRecord game;
    for (std::int64_t next = std::numeric_limits<std::int64_t>::min();;) {
        rows.reset();
        rows.bind(1, next);
        Step step;
        while ((step = rows.step()) == Step::Row) {
            const std::int64_t id = readGameRow(rows, game);
            readGameParts(old, version, id, game); // a game without its keys beats none
            if (!insertGame(fresh, game, error))
                return false;
            ++carried;
            if (id == kLastId)
                return true;
            next = id + 1;
        }
        if (step == Step::Done)
            return true;
        // Neither `next` nor the row after it could be read: on to the next
        // id whose page reads again. Games are numbered from 1.
        next = std::max<std::int64_t>(next, 0);
        do {
            if (next >= (last > 0 ? last : kLastId) || --probes < 0)
                return true;
            probe.reset();
            probe.bind(1, ++next);
        } while (probe.step() == Step::Failed);
    }
}

// Carries what can be read of `from` into a new history at `to`, on the
// disk before it returns; false, with `repair.detail`, when that cannot be
// made whole (a full disk), and then nothing of `to` stays.
bool carryGames(const std::string &from, const std::string &to, Repair &repair) {
    sql::Error error, unread;
    std::string why;
    struct stat st {};
    // Synced once, whole, below: a crash before leaves a salvage the next repair removes.
    auto fresh = sql::Database::open(to, sql::Database::Access::ReadWriteCreate, error);
    bool done = fresh &&
                !(error = fresh->exec("PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF")) &&
                HistoryStore::migrate(*fresh, HistoryStore::currentVersion(), &why);
    if (done && ::stat(from.c_str(), &st) == 0)
        if (auto old = sql::Database::open(from, sql::Database::Access::ReadOnly, unread))
            done = carryRows(*old, st.st_size, *fresh, repair.carried, error);
    fresh.reset();
    done = done && syncPath(to, O_RDONLY);
    if (!done) {
        repair.detail = "the repaired history cannot be written: " +
                        (!why.empty()            ? why
                         : error.message.empty() ? std::string(std::strerror(errno))
                                                 : error.message);
        for (const char *suffix : {"", "-journal"})
            ::unlink((to + suffix).c_str());
    }
    return done;
}

// The damaged file and its journal go to the first free name beside it, all
// three under one number; empty when it cannot be moved.
std::string moveAside(const std::string &path, std::string &detail) {
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = path + ".damaged-" + std::to_string(n);
        if (exists(aside) || exists(aside + "-wal") || exists(aside + "-shm"))
            continue;
        if (!moveWithoutReplacing(path, aside)) {
            if (errno == EEXIST)
                continue;
            detail = std::string("cannot move it aside: ") + std::strerror(errno);
            return {};
        }
        for (const char *suffix : {"-wal", "-shm"})
            if (exists(path + suffix))
                moveWithoutReplacing(path + suffix, aside + suffix);
        return aside;
    }
    detail = "no free name to move it aside to";
    return {};
}

} // namespace

std::optional<FileIdentity> identityOf(const std::string &path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
}

// The damaged file keeps its name until the new history holds every game
// that could be read and is on the disk: a repair cut short, or refused by
// a full disk, leaves it where it was.
Repair repairHistory(const std::string &path, FileIdentity damaged) {
    Repair repair;
    if (identityOf(path) != damaged) {
        repair.outcome = Repair::Outcome::AlreadyDone;
        return repair;
    }
    if (mendIndexes(path)) {
        repair.outcome = Repair::Outcome::Mended;
        return repair;
    }
    const std::string fresh = path + ".salvage";
    for (const char *suffix : {"", "-journal"})
        ::unlink((fresh + suffix).c_str()); // a repair that was cut short
    if (!carryGames(path, fresh, repair))
        return repair;
    repair.setAside = moveAside(path, repair.detail);
    if (repair.setAside.empty()) {
        ::unlink(fresh.c_str());
        return repair;
    }
    repair.outcome = Repair::Outcome::SetAside;
    if (!moveWithoutReplacing(fresh, path)) {
        repair.carried = 0; // they are in the file set aside still
        ::unlink(fresh.c_str());
    }
    syncPath(folderOf(path), O_RDONLY | O_DIRECTORY);
    return repair;
}

} // namespace zem
