#pragma once
// The baseline: the same four-column table in an in-memory SQLite database.

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>

class SqliteTable {
public:
    SqliteTable() {
        check(sqlite3_open(":memory:", &db_));
        exec("CREATE TABLE t (aint INTEGER, astr TEXT, aboolean INTEGER, strshowcheck TEXT)");
    }
    ~SqliteTable() { sqlite3_close(db_); }
    SqliteTable(const SqliteTable&) = delete;
    SqliteTable& operator=(const SqliteTable&) = delete;

    void exec(const char* sql) { check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)); }

    // Inserts `count` rows with a prepared statement inside one transaction.
    void insertRows(std::int64_t count) {
        exec("BEGIN");
        sqlite3_stmt* insert = prepare("INSERT INTO t VALUES (?, ?, ?, ?)");
        for (std::int64_t i = 0; i < count; ++i) {
            bindRow(insert, i);
            step(insert, SQLITE_DONE);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        exec("COMMIT");
    }

    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        check(sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr));
        return statement;
    }

    static void bindRow(sqlite3_stmt* statement, std::int64_t i) {
        sqlite3_bind_int(statement, 1, static_cast<int>(i));
        sqlite3_bind_text(statement, 2, "record text", -1, SQLITE_STATIC);
        sqlite3_bind_int(statement, 3, static_cast<int>(i & 1));
        sqlite3_bind_text(statement, 4, (i & 1) ? "aa" : "bb", -1, SQLITE_STATIC);
    }

    void step(sqlite3_stmt* statement, int expected) {
        if (sqlite3_step(statement) != expected) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
    }

    sqlite3* db() const { return db_; }

private:
    void check(int rc) {
        if (rc != SQLITE_OK) {
            throw std::runtime_error(db_ ? sqlite3_errmsg(db_) : "sqlite3_open failed");
        }
    }

    sqlite3* db_ = nullptr;
};
