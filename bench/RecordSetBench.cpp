// The record set beside SQLite in memory: append+post, a full move-next scan
// reading all four fields, and the memory a record takes.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

#include "bench/RecordSetFill.h"
#include "bench/SqliteTable.h"

namespace {

std::size_t heapInUse() { return mallinfo2().uordblks; }

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

void RecordSetScan(benchmark::State& state) {
    WindowRecordSet set;
    appendRecords(set, state.range(0));
    std::int64_t sum = 0;
    for (auto _ : state) {
        set.dataSet->first();
        while (!set.dataSet->eof()) {
            sum += set.aInt->asInteger();
            sum += static_cast<std::int64_t>(set.aStr->asString().size());
            sum += set.aBoolean->asBoolean() ? 1 : 0;
            sum += static_cast<std::int64_t>(set.strShowCheck->asString().size());
            set.dataSet->next();
        }
    }
    benchmark::DoNotOptimize(sum);
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

// One pass; the counter carries heap bytes per record.
void RecordSetBytesPerRecord(benchmark::State& state) {
    for (auto _ : state) {
        auto set = std::make_unique<WindowRecordSet>();
        std::size_t before = heapInUse();
        appendRecords(*set, state.range(0));
        state.counters["bytes_per_record"] =
            static_cast<double>(heapInUse() - before) / static_cast<double>(state.range(0));
    }
}

void SqliteBytesPerRecord(benchmark::State& state) {
    for (auto _ : state) {
        auto table = std::make_unique<SqliteTable>();
        std::size_t before = heapInUse();
        table->insertRows(state.range(0));
        state.counters["bytes_per_record"] =
            static_cast<double>(heapInUse() - before) / static_cast<double>(state.range(0));
    }
}

}  // namespace

BENCHMARK(RecordSetAppendPost)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteAppend)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordSetScan)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteScan)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordSetBytesPerRecord)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteBytesPerRecord)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
