#include "history/sqlite.h"

#include <cstdio>
#include <sqlite3.h>

namespace zem::sql {

namespace {

// Enough for the window's few rows and a game's insert; the default 2 MB a
// connection would grow to only costs the process's own memory.
constexpr const char *kCacheSize = "PRAGMA cache_size = -512"; // KiB

// A file name as an SQLite URI takes it: only these three mean something there.
std::string uriOf(const std::string &path, const char *query) {
    std::string uri = "file:";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    return uri + query;
}

} // namespace

int libraryVersion() {
    static const int version = sqlite3_libversion_number();
    return version;
}

std::unique_ptr<Database> Database::open(const std::string &path, Access access, Error &error) {
    std::string name = path;
    int flags = SQLITE_OPEN_NOFOLLOW;
    switch (access) {
    case Access::ReadWriteCreate:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    case Access::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Access::ReadOnly:
        flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
        name = uriOf(path, "?mode=ro");
        break;
    case Access::Immutable:
        flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
        name = uriOf(path, "?immutable=1");
        break;
    }
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        error = {rc & 0xFF, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)};
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 0);
    sqlite3_db_config(db, SQLITE_DBCONFIG_LOOKASIDE, nullptr, 0, 0);
    auto opened = std::unique_ptr<Database>(new Database(db));
    error = opened->exec(kCacheSize);
    return error ? nullptr : std::move(opened);
}

// A statement still alive keeps the connection until it is finalized too,
// so the two may go in either order.
Database::~Database() {
    sqlite3_close_v2(db_);
}

Error Database::exec(const char *sql) {
    char *message = nullptr;
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
    Error error;
    if (rc != SQLITE_OK)
        error = {rc & 0xFF, message ? message : sqlite3_errstr(rc)};
    sqlite3_free(message);
    return error;
}

Error Database::lastError() const {
    const int rc = sqlite3_errcode(db_) & 0xFF;
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return {};
    return {rc, sqlite3_errmsg(db_)};
}

std::int64_t Database::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(db_);
}

void Database::setBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(db_, milliseconds);
}

bool Database::readOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

void Database::keepJournalAtClose() {
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

Statement::Statement(Database &db, std::string_view sql) {
    if (sqlite3_prepare_v2(db.db_, sql.data(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        stmt_ = nullptr;
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement &Statement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement &Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bindReal(int index, double value) {
    sqlite3_bind_double(stmt_, index, value);
    return *this;
}

Statement &Statement::bindNull(int index) {
    sqlite3_bind_null(stmt_, index);
    return *this;
}

Statement::Step Statement::step() {
    if (!stmt_)
        return Step::Failed;
    switch (sqlite3_step(stmt_)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Failed;
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::string Statement::text(int column) const {
    const auto *p = sqlite3_column_text(stmt_, column);
    return p ? std::string(reinterpret_cast<const char *>(p),
                           std::size_t(sqlite3_column_bytes(stmt_, column)))
             : std::string();
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

Transaction::Transaction(Database &db) : db_(db) {
    // IMMEDIATE takes the write lock at once, so a second writer waits here
    // (for the busy timeout) rather than failing at its first write.
    begun_ = !db_.exec("BEGIN IMMEDIATE");
    open_ = begun_;
}

Transaction::~Transaction() {
    if (open_)
        db_.exec("ROLLBACK");
}

Error Transaction::commit() {
    Error error = db_.exec("COMMIT");
    if (!error)
        open_ = false;
    return error;
}

} // namespace zem::sql
