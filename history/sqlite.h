#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

// The history's SQL needs SQLite 3.35 (upserts without a target, UPDATE ...
// FROM); an older library refuses every game with a syntax error.
inline constexpr int kMinimumVersion = 3'035'000;
// The linked library's sqlite3_libversion_number(), read once.
int libraryVersion();

// One connection, closed with its owner (or, when statements of it are
// still alive, with the last of them).
class Database {
public:
    enum class Access {
        ReadWriteCreate,
        ReadWrite,
        ReadOnly, // takes no write; its closing leaves the journal as it was
        Immutable // for a file nothing writes: read without a lock or a journal
    };
    // Opens (or with ReadWriteCreate makes) the file; `error` tells why not.
    // Each connection keeps its memory small: no lookaside, a bounded cache.
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
    // Leaves the journal unmerged when the connection closes, so that a
    // damaged file's three parts can be moved away as they are.
    void keepJournalAtClose();

private:
    friend class Statement;
    explicit Database(sqlite3 *db) : db_(db) {}
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
