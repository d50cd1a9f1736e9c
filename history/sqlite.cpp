#include "history/sqlite.h"

#include <sqlite3.h>

namespace zem::sql {

std::unique_ptr<Database> Database::open(const std::string &path, Access access, Error &error) {
    const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY
                                                 : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (rc != SQLITE_OK) {
        error = {rc & 0xFF, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)};
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 0);
    error = {};
    return std::unique_ptr<Database>(new Database(db));
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

Statement::Statement(Database &db, std::string_view sql) {
    if (sqlite3_prepare_v2(db.handle(), sql.data(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK)
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
