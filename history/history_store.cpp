#include "history/history_store.h"

#include "history/game_rows.h"
#include "history/history_schema.h"

#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>

namespace zem {

namespace {

constexpr int kStepCount = int(std::size(kSchemaSteps));

std::string folderOf(const std::string &path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// mkdir -p, for the history's folder; true when it exists afterwards. The
// folders are the player's alone, as XDG asks of the data folders it makes.
bool makeFolders(const std::string &folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const std::string parent = folderOf(folder);
    if (parent != folder && parent != "." && !parent.empty() && !makeFolders(parent))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool exists(const std::string &path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool isDamage(int code) {
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

bool isLock(int code) {
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

std::string versionText(int number) {
    return std::to_string(number / 1'000'000) + "." + std::to_string(number / 1000 % 1000) + "." +
           std::to_string(number % 1000);
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
        if (!error && found < 0)
            error = {SQLITE_CORRUPT, "schema version " + std::to_string(found)};
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

HistoryStore::HistoryStore(std::string path, Role role)
    : HistoryStore(std::move(path), role, Options{}) {}

HistoryStore::HistoryStore(std::string path, Role role, Durability durability)
    : HistoryStore(std::move(path), role, Options{durability}) {}

HistoryStore::HistoryStore(std::string path, Role role, const Options &options)
    : path_(std::move(path)), role_(role), durability_(options.durability),
      busyTimeoutMs_(options.busyTimeoutMs), libraryVersion_(options.libraryVersion) {
    open();
}

HistoryStore::~HistoryStore() {
    db_.reset(); // before the lock goes
}

void HistoryStore::open() {
    state_ = {};
    if (libraryVersion_ < sql::kMinimumVersion) {
        state_.kind = HistoryState::Kind::TooOld;
        state_.detail = "SQLite " + versionText(libraryVersion_) + "; " +
                        versionText(sql::kMinimumVersion) + " or newer is needed";
        return;
    }
    struct stat st {};
    const bool there = ::stat(path_.c_str(), &st) == 0;
    if (there && !S_ISREG(st.st_mode)) {
        state_.detail = path_ + ": not a regular file";
        return;
    }
    if (role_ == Role::Reader) {
        if (there)
            openForReading();
        else
            state_.kind = HistoryState::Kind::Missing;
        return;
    }
    if (!makeFolders(folderOf(path_))) {
        state_.detail = folderOf(path_) + ": " + std::strerror(errno);
        return;
    }
    lock_ = std::make_unique<HistoryLock>(path_, HistoryLock::Open::MayCreate);
    if (!lock_->opened()) // a folder that takes no file: no repair either
        lock_ = std::make_unique<HistoryLock>(path_, HistoryLock::Open::IfThere);
    if (lock_->opened() && !lock_->shared(busyTimeoutMs_)) {
        state_.kind = HistoryState::Kind::Locked;
        state_.detail = "being repaired by another program";
        return;
    }
    if (!openForWriting() && isDamage(lastCode_))
        repair();
}

bool HistoryStore::fail(const sql::Error &error) {
    lastCode_ = error.code;
    const bool damaged = isDamage(error.code) && role_ == Role::Reader;
    state_.kind = damaged              ? HistoryState::Kind::Damaged
                  : isLock(error.code) ? HistoryState::Kind::Locked
                                       : HistoryState::Kind::Unavailable;
    state_.detail = error.message;
    db_.reset();
    return false;
}

// Read-only, and so it stays: a WAL history whose journal files are absent
// and cannot be made (a read-only folder, no writer) is read as it lies.
bool HistoryStore::openForReading() {
    lock_ = std::make_unique<HistoryLock>(path_, HistoryLock::Open::IfThere);
    if (lock_->opened() && !lock_->shared(busyTimeoutMs_)) {
        state_.kind = HistoryState::Kind::Locked;
        state_.detail = "being repaired by another program";
        return false;
    }
    sql::Error error;
    auto readVersion = [&](sql::Database::Access access) {
        db_ = sql::Database::open(path_, access, error);
        if (!db_)
            return false;
        db_->setBusyTimeout(busyTimeoutMs_);
        sql::Statement version(*db_, "PRAGMA user_version");
        if (version.step() != sql::Statement::Step::Row) {
            error = db_->lastError();
            db_.reset();
            return false;
        }
        version_ = int(version.integer(0));
        return true;
    };
    if (!readVersion(sql::Database::Access::ReadOnly)) {
        if (isDamage(error.code) || isLock(error.code) || exists(path_ + "-wal") ||
            !readVersion(sql::Database::Access::Immutable))
            return fail(error);
    }
    state_.kind = version_ < 0            ? HistoryState::Kind::Damaged
                  : version_ > kStepCount ? HistoryState::Kind::Newer
                  : version_ < 2          ? HistoryState::Kind::Older
                                          : HistoryState::Kind::Ready;
    if (state_.kind != HistoryState::Kind::Ready)
        state_.detail = "schema version " + std::to_string(version_);
    return true;
}

bool HistoryStore::openForWriting() {
    using sql::Database;
    db_.reset();
    lastCode_ = 0;
    const bool existed = exists(path_);
    sql::Error error;
    db_ = Database::open(path_, Database::Access::ReadWriteCreate, error);
    if (!db_ && existed)
        db_ = Database::open(path_, Database::Access::ReadOnly, error);
    if (!db_)
        return fail(error);
    opened_ = identityOf(path_); // stays so while the lock is held shared
    db_->setBusyTimeout(busyTimeoutMs_);

    sql::Statement version(*db_, "PRAGMA user_version");
    if (version.step() != sql::Statement::Step::Row)
        return fail(db_->lastError());
    version_ = int(version.integer(0));
    version.reset();
    const bool readOnly = db_->readOnly();
    if (version_ < 0) // no program wrote that: a damaged header
        return fail({SQLITE_CORRUPT, "schema version " + std::to_string(version_)});
    if (version_ > kStepCount) {
        state_.kind = HistoryState::Kind::Newer;
        state_.detail = "schema version " + std::to_string(version_);
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
    if (version_ < kStepCount) {
        std::string why;
        if (readOnly || !migrate(*db_, kStepCount, &why)) {
            const sql::Error e = db_->lastError();
            return fail(readOnly ? sql::Error{SQLITE_READONLY, "read-only, schema version " +
                                                                   std::to_string(version_)}
                                 : sql::Error{e.code ? e.code : SQLITE_ERROR, why});
        }
        version_ = kStepCount;
    }
    state_.kind = readOnly ? HistoryState::Kind::ReadOnly : HistoryState::Kind::Ready;
    if (readOnly)
        state_.detail = "read-only";
    return true;
}

// Only with the lock held alone, so that no connection anywhere has the file
// open; and only if the name still stands for the file found damaged, as a
// second copy may have repaired it while this one waited.
bool HistoryStore::repair() {
    const std::optional<FileIdentity> damaged = opened_ ? opened_ : identityOf(path_);
    db_.reset();
    if (!damaged || !lock_->opened()) {
        state_.kind = HistoryState::Kind::Unavailable;
        return false;
    }
    if (!lock_->exclusive(busyTimeoutMs_)) {
        lock_->shared(busyTimeoutMs_);
        state_.kind = HistoryState::Kind::Locked;
        state_.detail = "damaged, and open in another program";
        return false;
    }
    const Repair done = repairHistory(path_, *damaged);
    const bool shared = lock_->shared(busyTimeoutMs_);
    if (done.outcome == Repair::Outcome::Failed || !shared) {
        state_.kind = HistoryState::Kind::Unavailable;
        state_.detail = (state_.detail.empty() ? "damaged" : state_.detail) + "; " +
                        (shared ? done.detail : std::string("lock lost"));
        return false;
    }
    const bool opened = openForWriting();
    if (!done.setAside.empty()) {
        state_.setAside = done.setAside;
        state_.carried = done.carried;
    }
    return opened;
}

bool HistoryStore::checkWhole() {
    if (role_ != Role::Writer || state_.kind != HistoryState::Kind::Ready)
        return false;
    bool sound = false;
    {
        sql::Statement check(*db_, "PRAGMA quick_check(1)");
        sound = check.step() == sql::Statement::Step::Row && check.text(0) == "ok";
    }
    return sound || repair();
}

void HistoryStore::noteReadFailure() {
    const sql::Error error = db_->lastError();
    if (isDamage(error.code))
        state_.kind = role_ == Role::Reader ? HistoryState::Kind::Damaged : state_.kind;
    else if (isLock(error.code))
        state_.kind = HistoryState::Kind::Locked;
    else
        return;
    state_.detail = error.message;
}

bool HistoryStore::add(const GameRecord &game, std::string *why) {
    if (role_ != Role::Writer || state_.kind != HistoryState::Kind::Ready) {
        if (why)
            *why = state_.detail.empty() ? "history not writable" : state_.detail;
        return false;
    }
    sql::Error error;
    if (insertGame(*db_, game, error) ||
        (isDamage(error.code) && repair() && insertGame(*db_, game, error)))
        return true;
    // A repair that failed says why: a full disk, not the damage it met.
    if (why)
        *why = error.message.empty() || state_.kind != HistoryState::Kind::Ready ? state_.detail
                                                                                 : error.message;
    return false;
}

} // namespace zem
