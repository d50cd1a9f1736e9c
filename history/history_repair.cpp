#include "history/history_repair.h"

#include "history/game_rows.h"
#include "history/history_store.h"
#include "history/sqlite.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

namespace {

constexpr const char *kSuffixes[] = {"", "-wal", "-shm"};

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
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// An index rebuilt from its table mends the commonest damage in place; the
// rebuild is kept only when the whole file then checks sound, and the
// journal is left unmerged, so that a failed try changes no byte of the file.
bool mendIndexes(const std::string &path) {
    sql::Error error;
    auto db = sql::Database::open(path, sql::Database::Access::ReadWrite, error);
    if (!db)
        return false;
    db->keepJournalAtClose();
    sql::Transaction transaction(*db);
    if (!transaction.begun() || db->exec("REINDEX"))
        return false;
    sql::Statement check(*db, "PRAGMA integrity_check(1)");
    if (check.step() != sql::Statement::Step::Row || check.text(0) != "ok")
        return false;
    check.reset();
    return !transaction.commit();
}

// Every game row of `from` that can be read, in arrival order, into a new
// history at `to`; -1 when that cannot be made. A row that cannot be read is
// stepped over by ever longer strides until the rows read again.
std::int64_t carryGames(const std::string &from, const std::string &to) {
    sql::Error error;
    auto fresh = sql::Database::open(to, sql::Database::Access::ReadWriteCreate, error);
    if (!fresh || !HistoryStore::migrate(*fresh, HistoryStore::currentVersion()) ||
        fresh->exec("PRAGMA synchronous = OFF")) // synced once, whole, below
        return -1;
    std::int64_t carried = 0;
    if (auto old = sql::Database::open(from, sql::Database::Access::ReadOnly, error)) {
        int version = HistoryStore::currentVersion();
        if (sql::Statement v(*old, "PRAGMA user_version"); v.step() == sql::Statement::Step::Row)
            version = int(v.integer(0));
        sql::Statement rows(*old, "SELECT " + gameColumns(version) +
                                      " FROM games WHERE id >= ?1 ORDER BY id");
        constexpr std::int64_t kLast = std::numeric_limits<std::int64_t>::max();
        std::int64_t next = std::numeric_limits<std::int64_t>::min(), stride = 1;
        // 40 strides reach past 2^40 rows beyond the last one read.
        for (int misses = 0; rows.prepared() && misses < 40 && next < kLast;) {
            rows.reset();
            rows.bind(1, next);
            sql::Statement::Step step;
            GameRecord game;
            while ((step = rows.step()) == sql::Statement::Step::Row) {
                const std::int64_t id = readGameRow(rows, game);
                readGameParts(*old, version, id, game); // a game without its keys beats none
                if (insertGame(*fresh, game, error))
                    ++carried;
                next = id < kLast ? id + 1 : kLast;
                stride = 1;
            }
            if (step == sql::Statement::Step::Done)
                break;
            ++misses;
            next = next == std::numeric_limits<std::int64_t>::min() ? 1
                   : next < kLast - stride                          ? next + stride
                                                                    : kLast;
            stride *= 2;
        }
    }
    fresh.reset();
    return syncPath(to, O_RDONLY) ? carried : -1;
}

// The damaged file and its journal go to the first free name beside it, all
// three under one number; empty when it cannot be moved.
std::string moveAside(const std::string &path, std::string &detail) {
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = path + ".damaged-" + std::to_string(n);
        bool taken = false;
        for (const char *suffix : kSuffixes)
            taken = taken || exists(aside + suffix);
        if (taken)
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
    repair.carried = carryGames(path, fresh);
    repair.setAside = moveAside(path, repair.detail);
    if (repair.setAside.empty()) {
        ::unlink(fresh.c_str());
        return repair;
    }
    repair.outcome = Repair::Outcome::SetAside;
    if (repair.carried < 0 || !moveWithoutReplacing(fresh, path)) {
        repair.carried = 0;
        ::unlink(fresh.c_str());
    }
    syncPath(folderOf(path), O_RDONLY | O_DIRECTORY);
    return repair;
}

} // namespace zem
