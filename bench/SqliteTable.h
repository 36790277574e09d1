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

    // Inserts `count` rows with a prepared statement inside one transaction,
    // each at the end (SQLite picks the next rowid).
    void insertRows(std::int64_t count) {
        insertWith("INSERT INTO t VALUES (?, ?, ?, ?)", count, 0);
    }
    // The same with rowids `gap`, 2 * `gap`, ...: the gaps leave room for
    // rows inserted between neighbours, which is how a rowid table places a
    // row in the middle.
    void insertSpacedRows(std::int64_t count, std::int64_t gap) {
        insertWith(
            "INSERT INTO t (aint, astr, aboolean, strshowcheck, rowid) VALUES (?, ?, ?, ?, ?)",
            count, gap);
    }

    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        check(sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr));
        return statement;
    }

    // Binds the four values of row i to parameters first .. first + 3.
    static void bindRow(sqlite3_stmt* statement, int first, std::int64_t i) {
        sqlite3_bind_int(statement, first, static_cast<int>(i));
        sqlite3_bind_text(statement, first + 1, "record text", -1, SQLITE_STATIC);
        sqlite3_bind_int(statement, first + 2, static_cast<int>(i & 1));
        sqlite3_bind_text(statement, first + 3, (i & 1) ? "aa" : "bb", -1, SQLITE_STATIC);
    }

    void step(sqlite3_stmt* statement, int expected) {
        if (sqlite3_step(statement) != expected) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
    }

    sqlite3* db() const { return db_; }

private:
    void insertWith(const char* sql, std::int64_t count, std::int64_t gap) {
        exec("BEGIN");
        sqlite3_stmt* insert = prepare(sql);
        for (std::int64_t i = 0; i < count; ++i) {
            bindRow(insert, 1, i);
            if (gap > 0) {
                sqlite3_bind_int64(insert, 5, gap * (i + 1));
            }
            step(insert, SQLITE_DONE);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        exec("COMMIT");
    }

    void check(int rc) {
        if (rc != SQLITE_OK) {
            throw std::runtime_error(db_ ? sqlite3_errmsg(db_) : "sqlite3_open failed");
        }
    }

    sqlite3* db_ = nullptr;
};
