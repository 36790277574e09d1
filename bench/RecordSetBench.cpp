// The record set beside SQLite in memory and a plain vector: append+post, a
// full move-next scan reading all four fields, moves to a position number,
// insert and delete in the middle, and the memory a record takes.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/Positions.h"
#include "bench/RecordSetFill.h"
#include "bench/SqliteTable.h"
#include "bench/VectorTable.h"
#include "data/DataSource.h"

namespace {

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// Append+post ---------------------------------------------------------------

void RecordSetAppendPost(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto set = std::make_unique<WindowRecordSet>();
        state.ResumeTiming();
        appendRecords(*set, state.range(0));
        state.PauseTiming();
        set.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void SqliteAppend(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<SqliteTable>();
        state.ResumeTiming();
        table->insertRows(state.range(0));
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Move-next scan --------------------------------------------------------------

// One pass from the first record to the end, reading every field as its
// accessor hands it out. Out of line, so that a profiler can collect it alone
// (valgrind --tool=callgrind --toggle-collect='*scanRecordSet*').
[[gnu::noinline]] std::int64_t scanRecordSet(WindowRecordSet& set) {
    std::int64_t sum = 0;
    set.dataSet->first();
    while (!set.dataSet->eof()) {
        sum += set.aInt->asInteger();
        sum += static_cast<std::int64_t>(set.aStr->asString().size());
        sum += set.aBoolean->asBoolean() ? 1 : 0;
        sum += static_cast<std::int64_t>(set.strShowCheck->asString().size());
        set.dataSet->next();
    }
    return sum;
}

void RecordSetScan(benchmark::State& state) {
    WindowRecordSet set;
    appendRecords(set, state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(scanRecordSet(set));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void SqliteScan(benchmark::State& state) {
    SqliteTable table;
    table.insertRows(state.range(0));
    sqlite3_stmt* select = table.prepare("SELECT aint, astr, aboolean, strshowcheck FROM t");
    std::int64_t sum = 0;
    for (auto _ : state) {
        while (sqlite3_step(select) == SQLITE_ROW) {
            sum += sqlite3_column_int(select, 0);
            sum += sqlite3_column_bytes(select, 1);
            sum += sqlite3_column_int(select, 2);
            sum += sqlite3_column_bytes(select, 3);
        }
        sqlite3_reset(select);
    }
    sqlite3_finalize(select);
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same walk over a vector, each value copied out in the type the record
// set's accessors return (a text as a std::string of its own).
void VectorScanCopies(benchmark::State& state) {
    const std::vector<PlainRecord> records = plainRecords(state.range(0));
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const PlainRecord& record : records) {
            std::string text = record.aStr;
            std::string check = record.strShowCheck;
            benchmark::DoNotOptimize(text.data());
            benchmark::DoNotOptimize(check.data());
            sum += record.aInt;
            sum += static_cast<std::int64_t>(text.size());
            sum += record.aBoolean ? 1 : 0;
            sum += static_cast<std::int64_t>(check.size());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The bare walk: every value read in place.
void VectorScanInPlace(benchmark::State& state) {
    const std::vector<PlainRecord> records = plainRecords(state.range(0));
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const PlainRecord& record : records) {
            sum += record.aInt;
            sum += static_cast<std::int64_t>(record.aStr.size());
            sum += record.aBoolean ? 1 : 0;
            sum += static_cast<std::int64_t>(record.strShowCheck.size());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Move to a position number ---------------------------------------------------

// A control that shows `rows` records, as the grid does: the record set then
// keeps a record window of that many rows and reads them at every move.
class RowsLink : public TDataLink {
public:
    RowsLink(TDataSource* source, int rows) {
        setBufferCount(rows);
        setDataSource(source);
    }
};

// Moves to pseudo-random position numbers; range(1) is the number of rows
// a linked control shows (0: none linked, a record window of one row).
void RecordSetMoveToPosition(benchmark::State& state) {
    WindowRecordSet set;
    const int count = static_cast<int>(state.range(0));
    appendRecords(set, count);
    std::optional<RowsLink> shown;
    if (state.range(1) > 0) {
        shown.emplace(set.source, static_cast<int>(state.range(1)));
    }
    const std::vector<int> positions = randomPositions(4096, 1, count);
    std::size_t next = 0;
    std::int64_t sum = 0;
    for (auto _ : state) {
        set.dataSet->setRecNo(positions[next]);
        sum += set.aInt->asInteger();
        next = (next + 1) % positions.size();
    }
    benchmark::DoNotOptimize(sum);
}

// Insert and delete in the middle ---------------------------------------------

// Per iteration: move to a position in the middle half, insert a record there
// with all four fields written, post it, delete it again.
void RecordSetInsertDeleteMiddle(benchmark::State& state) {
    WindowRecordSet set;
    const int count = static_cast<int>(state.range(0));
    appendRecords(set, count);
    const std::vector<int> positions = randomPositions(4096, count / 4, count * 3 / 4);
    std::size_t next = 0;
    for (auto _ : state) {
        const int position = positions[next];
        set.dataSet->setRecNo(position);
        set.dataSet->insert();
        set.aInt->setAsInteger(position);
        set.aStr->setAsString("record text");
        set.aBoolean->setAsBoolean((position & 1) != 0);
        set.strShowCheck->setAsString((position & 1) ? "aa" : "bb");
        set.dataSet->post();
        set.dataSet->deleteRecord();
        next = (next + 1) % positions.size();
    }
    if (set.dataSet->recordCount() != count) {
        state.SkipWithError("the record count changed");
    }
}

// The same in a rowid table whose rows are two rowids apart: a row goes in
// between two neighbours and is deleted again, all in one transaction.
void SqliteInsertDeleteMiddle(benchmark::State& state) {
    SqliteTable table;
    const std::int64_t count = state.range(0);
    table.insertSpacedRows(count, 2);
    const std::vector<int> positions =
        randomPositions(4096, static_cast<int>(count / 4), static_cast<int>(count * 3 / 4));
    sqlite3_stmt* insert = table.prepare(
        "INSERT INTO t (aint, astr, aboolean, strshowcheck, rowid) VALUES (?, ?, ?, ?, ?)");
    sqlite3_stmt* remove = table.prepare("DELETE FROM t WHERE rowid = ?");
    table.exec("BEGIN");
    std::size_t next = 0;
    for (auto _ : state) {
        const std::int64_t between = 2 * positions[next] + 1;
        SqliteTable::bindRow(insert, 1, positions[next]);
        sqlite3_bind_int64(insert, 5, between);
        table.step(insert, SQLITE_DONE);
        sqlite3_reset(insert);
        sqlite3_bind_int64(remove, 1, between);
        table.step(remove, SQLITE_DONE);
        sqlite3_reset(remove);
        next = (next + 1) % positions.size();
    }
    table.exec("COMMIT");
    sqlite3_finalize(insert);
    sqlite3_finalize(remove);
}

// Memory ---------------------------------------------------------------------

// One pass; the counter carries the heap bytes per record.
void RecordSetBytesPerRecord(benchmark::State& state) {
    for (auto _ : state) {
        auto set = std::make_unique<WindowRecordSet>();
        const std::size_t before = heapInUse();
        appendRecords(*set, state.range(0));
        state.counters["bytes_per_record"] =
            static_cast<double>(heapInUse() - before) / static_cast<double>(state.range(0));
    }
}

// The raw payload of a record: every field's value bytes (4 for an integer,
// 2 for a Boolean, a string field's size) and one null bit per field.
void RawPayloadBytesPerRecord(benchmark::State& state) {
    WindowRecordSet set;
    for (auto _ : state) {
        double bytes = (static_cast<double>(set.dataSet->fieldCount()) + 7) / 8;
        for (TField* field : set.dataSet->fields()) {
            switch (field->dataType()) {
                case TFieldType::ftInteger:
                    bytes += 4;
                    break;
                case TFieldType::ftBoolean:
                    bytes += 2;
                    break;
                default:
                    bytes += field->size();
                    break;
            }
        }
        state.counters["bytes_per_record"] = static_cast<double>(static_cast<int>(bytes));
    }
}

void SqliteBytesPerRecord(benchmark::State& state) {
    for (auto _ : state) {
        auto table = std::make_unique<SqliteTable>();
        const std::size_t before = heapInUse();
        table->insertRows(state.range(0));
        state.counters["bytes_per_record"] =
            static_cast<double>(heapInUse() - before) / static_cast<double>(state.range(0));
    }
}

}  // namespace

// The million-record cases fill for a second or more, so they run a fixed,
// small number of iterations instead of calibrating.
BENCHMARK(RecordSetAppendPost)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteAppend)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordSetAppendPost)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteAppend)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK(RecordSetScan)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteScan)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(VectorScanCopies)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(VectorScanInPlace)->Arg(100000)->Unit(benchmark::kMillisecond);

// The grid of the window shows 9 rows.
BENCHMARK(RecordSetMoveToPosition)->Args({10, 0})->Unit(benchmark::kNanosecond);
BENCHMARK(RecordSetMoveToPosition)
    ->Args({1000000, 0})
    ->Iterations(400000)
    ->Unit(benchmark::kNanosecond);
BENCHMARK(RecordSetMoveToPosition)->Args({10, 9})->Unit(benchmark::kNanosecond);
BENCHMARK(RecordSetMoveToPosition)
    ->Args({1000000, 9})
    ->Iterations(400000)
    ->Unit(benchmark::kNanosecond);

BENCHMARK(RecordSetInsertDeleteMiddle)
    ->Arg(1000000)
    ->Iterations(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SqliteInsertDeleteMiddle)
    ->Arg(1000000)
    ->Iterations(100000)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(RecordSetBytesPerRecord)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RawPayloadBytesPerRecord)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteBytesPerRecord)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
