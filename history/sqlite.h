#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace zem::sql {

// The result of a step that failed: SQLite's primary result code and its
// message. A code of 0 (SQLITE_OK) means success.
struct Error {
    int code = 0;
    std::string message;
    explicit operator bool() const { return code != 0; }
};

// SQLite's functions, found in the library when it is loaded.
struct Api;

// SQLite itself, loaded with the first lease taken and unloaded with the
// last one let go. The game runs for minutes between two games and may never
// look at its history, so the library is not one it starts with: start-up
// maps no SQLite and a game in play holds none of it.
class Lease {
public:
    // A lease on the library, loaded now when no other lease holds it; an
    // empty lease, and `error` saying why, when it cannot be loaded.
    static Lease take(Error &error);
    Lease() = default;
    Lease(Lease &&other) noexcept : api_(std::exchange(other.api_, nullptr)) {}
    Lease &operator=(Lease &&other) noexcept;
    ~Lease();
    Lease share() const; // one more lease on the same library

    explicit operator bool() const { return api_ != nullptr; }
    const Api *operator->() const { return api_; }

private:
    explicit Lease(const Api *api) : api_(api) {}
    void release() noexcept;
    const Api *api_ = nullptr;
};

// One connection, closed with its owner (or, when statements of it are
// still alive, with the last of them).
class Database {
public:
    enum class Access { ReadWriteCreate, ReadOnly };
    // Opens (or with ReadWriteCreate makes) the file; `error` tells why not.
    static std::unique_ptr<Database> open(const std::string &path, Access access, Error &error);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Runs statements that return no rows.
    Error exec(const char *sql);
    Error lastError() const;
    std::int64_t lastInsertRowid() const;
    void setBusyTimeout(int milliseconds);
    bool readOnly() const; // the main database takes no writes

private:
    friend class Statement;
    Database(Lease lib, sqlite3 *db) : lib_(std::move(lib)), db_(db) {}
    Lease lib_;
    sqlite3 *db_;
};

// One prepared statement. step() answers Row, Done or Failed; on Failed the
// connection's lastError() says why.
class Statement {
public:
    Statement(Database &db, std::string_view sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool prepared() const { return stmt_ != nullptr; }
    Statement &bind(int index, std::int64_t value);
    Statement &bind(int index, std::string_view text);
    Statement &bindReal(int index, double value);
    Statement &bind(int index, double value) = delete; // say bindReal
    Statement &bind(int index, int value) { return bind(index, std::int64_t(value)); }
    Statement &bindNull(int index);

    enum class Step { Row, Done, Failed };
    Step step();
    // Runs a statement that returns no row to its end; false on failure.
    bool run() { return step() == Step::Done; }
    // Makes it ready to run again, keeping its bindings.
    void reset();

    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const;

private:
    Lease lib_; // a statement may outlive its connection
    sqlite3_stmt *stmt_ = nullptr;
};

// A transaction that rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool begun() const { return begun_; }
    Error commit();

private:
    Database &db_;
    bool begun_ = false;
    bool open_ = false;
};

} // namespace zem::sql
