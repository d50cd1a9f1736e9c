#include "history/sqlite.h"

#include <dlfcn.h>
#include <mutex>
#include <sqlite3.h>

namespace zem::sql {

// Every function of SQLite's that is called, as the header declares it.
// clang-format off
#define ZEM_SQLITE_FUNCTIONS(X)                                                                    \
    X(open_v2) X(close_v2) X(extended_result_codes) X(busy_timeout) X(db_readonly) X(config)      \
    X(shutdown) X(exec) X(free) X(errcode) X(errmsg) X(errstr) X(last_insert_rowid)                \
    X(prepare_v2) X(finalize) X(bind_int64) X(bind_text) X(bind_double) X(bind_null) X(step)       \
    X(reset) X(column_int64) X(column_double) X(column_text) X(column_bytes) X(column_type)
// clang-format on

struct Api {
#define ZEM_SQLITE_FIELD(name) decltype(&::sqlite3_##name) name = nullptr;
    ZEM_SQLITE_FUNCTIONS(ZEM_SQLITE_FIELD)
#undef ZEM_SQLITE_FIELD
};

namespace {

// The run-time name of Debian's libsqlite3-0.
constexpr const char *kLibraryName = "libsqlite3.so.0";

std::mutex loading; // guards the three below
int leases = 0;     // leases alive; the library is loaded while there is one
void *library = nullptr;
Api api;

} // namespace

Lease Lease::take(Error &error) {
    std::lock_guard lock(loading);
    if (leases == 0) {
        dlerror();
        void *handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char *why = dlerror();
            error = {SQLITE_CANTOPEN, why ? why : std::string("cannot load ") + kLibraryName};
            return {};
        }
        Api found;
        const char *missing = nullptr;
#define ZEM_SQLITE_FIND(name)                                                                      \
    found.name = reinterpret_cast<decltype(found.name)>(dlsym(handle, "sqlite3_" #name));          \
    if (!found.name && !missing)                                                                   \
        missing = "sqlite3_" #name;
        ZEM_SQLITE_FUNCTIONS(ZEM_SQLITE_FIND)
#undef ZEM_SQLITE_FIND
        if (missing) {
            dlclose(handle);
            error = {SQLITE_CANTOPEN, std::string(kLibraryName) + " has no " + missing};
            return {};
        }
        // A history is open for a moment a game, so SQLite's memory is sized
        // to the need: no lookaside slots and no page cache set aside at
        // each connection's start, whose high-water the heap would keep.
        found.config(SQLITE_CONFIG_LOOKASIDE, 0, 0);
        found.config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
        api = found;
        library = handle;
    }
    ++leases;
    error = {};
    return Lease(&api);
}

Lease Lease::share() const {
    if (!api_)
        return {};
    std::lock_guard lock(loading);
    ++leases;
    return Lease(api_);
}

Lease &Lease::operator=(Lease &&other) noexcept {
    if (this != &other) {
        release();
        api_ = std::exchange(other.api_, nullptr);
    }
    return *this;
}

Lease::~Lease() {
    release();
}

// The last lease shuts SQLite down, so that it frees what it holds, and
// unloads it.
void Lease::release() noexcept {
    if (!std::exchange(api_, nullptr))
        return;
    std::lock_guard lock(loading);
    if (--leases == 0) {
        api.shutdown();
        dlclose(library);
        library = nullptr;
        api = {};
    }
}

std::unique_ptr<Database> Database::open(const std::string &path, Access access, Error &error) {
    const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY
                                                 : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    Lease lib = Lease::take(error);
    if (!lib)
        return nullptr;
    sqlite3 *db = nullptr;
    const int rc = lib->open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (rc != SQLITE_OK) {
        error = {rc & 0xFF, db ? lib->errmsg(db) : lib->errstr(rc)};
        lib->close_v2(db);
        return nullptr;
    }
    lib->extended_result_codes(db, 0);
    error = {};
    return std::unique_ptr<Database>(new Database(std::move(lib), db));
}

// A statement still alive keeps the connection until it is finalized too,
// so the two may go in either order.
Database::~Database() {
    lib_->close_v2(db_);
}

Error Database::exec(const char *sql) {
    char *message = nullptr;
    const int rc = lib_->exec(db_, sql, nullptr, nullptr, &message);
    Error error;
    if (rc != SQLITE_OK)
        error = {rc & 0xFF, message ? message : lib_->errstr(rc)};
    lib_->free(message);
    return error;
}

Error Database::lastError() const {
    const int rc = lib_->errcode(db_) & 0xFF;
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return {};
    return {rc, lib_->errmsg(db_)};
}

std::int64_t Database::lastInsertRowid() const {
    return lib_->last_insert_rowid(db_);
}

void Database::setBusyTimeout(int milliseconds) {
    lib_->busy_timeout(db_, milliseconds);
}

bool Database::readOnly() const {
    return lib_->db_readonly(db_, "main") == 1;
}

Statement::Statement(Database &db, std::string_view sql) : lib_(db.lib_.share()) {
    if (lib_->prepare_v2(db.db_, sql.data(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        stmt_ = nullptr;
}

Statement::~Statement() {
    lib_->finalize(stmt_);
}

Statement &Statement::bind(int index, std::int64_t value) {
    lib_->bind_int64(stmt_, index, value);
    return *this;
}

Statement &Statement::bind(int index, std::string_view text) {
    lib_->bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bindReal(int index, double value) {
    lib_->bind_double(stmt_, index, value);
    return *this;
}

Statement &Statement::bindNull(int index) {
    lib_->bind_null(stmt_, index);
    return *this;
}

Statement::Step Statement::step() {
    if (!stmt_)
        return Step::Failed;
    switch (lib_->step(stmt_)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Failed;
    }
}

void Statement::reset() {
    lib_->reset(stmt_);
}

std::int64_t Statement::integer(int column) const {
    return lib_->column_int64(stmt_, column);
}

double Statement::real(int column) const {
    return lib_->column_double(stmt_, column);
}

std::string Statement::text(int column) const {
    const auto *p = lib_->column_text(stmt_, column);
    return p ? std::string(reinterpret_cast<const char *>(p),
                           std::size_t(lib_->column_bytes(stmt_, column)))
             : std::string();
}

bool Statement::isNull(int column) const {
    return lib_->column_type(stmt_, column) == SQLITE_NULL;
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
