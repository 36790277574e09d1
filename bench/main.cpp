// Runs every benchmark, then prints one table: each figure as a ratio against
// the baseline measured in the same run, with its goal.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/RatioReporter.h"

namespace {

enum class Measure { Time, BytesPerRecord };

struct Figure {
    const char* what;
    std::string ours;
    std::string baseline;
    const char* baselineWhat;
    const char* goal;
    double limit;         // the goal: ratio at most this (below it when `strict`); 0: none
    bool strict = false;  // "faster": the ratio must stay below the limit
    Measure measure = Measure::Time;
    double items = 1;  // records one iteration handles; times are shown per record
};

const std::vector<Figure>& figures() {
    static const std::vector<Figure> table = {
        {"append+post, per record, 1e4", "RecordSetAppendPost/10000", "SqliteAppend/10000",
         "SQLite prepared insert, one transaction", "<= 1", 1.0, false, Measure::Time, 1e4},
        {"append+post, per record, 1e5", "RecordSetAppendPost/100000", "SqliteAppend/100000",
         "SQLite prepared insert, one transaction", "<= 1", 1.0, false, Measure::Time, 1e5},
        {"append+post, per record, 1e6", "RecordSetAppendPost/1000000/iterations:3",
         "SqliteAppend/1000000/iterations:3", "SQLite prepared insert, one transaction", "<= 1",
         1.0, false, Measure::Time, 1e6},
        {"move-next scan, four fields, 1e5", "RecordSetScan/100000", "SqliteScan/100000",
         "SQLite SELECT stepping the rows", "< 1", 1.0, true},
        {"move-next scan, four fields, 1e5", "RecordSetScan/100000", "VectorScanCopies/100000",
         "vector of structs, values copied out", "<= 3", 3.0},
        {"move-next scan, four fields, 1e5", "RecordSetScan/100000", "VectorScanInPlace/100000",
         "vector of structs, values read in place", "(information)", 0.0},
        {"move to a position number, 1e6", "RecordSetMoveToPosition/1000000/0/iterations:400000",
         "RecordSetMoveToPosition/10/0", "the same in 10 records", "<= 2", 2.0},
        {"the same with a 9-row control linked, 1e6",
         "RecordSetMoveToPosition/1000000/9/iterations:400000", "RecordSetMoveToPosition/10/9",
         "the same in 10 records", "<= 2", 2.0},
        {"insert+post, then delete, middle of 1e6",
         "RecordSetInsertDeleteMiddle/1000000/iterations:100000",
         "SqliteInsertDeleteMiddle/1000000/iterations:100000", "SQLite insert and delete by rowid",
         "<= 1", 1.0},
        {"heap bytes per record, 1e6", "RecordSetBytesPerRecord/1000000/iterations:1",
         "RawPayloadBytesPerRecord/iterations:1", "raw field payload", "<= 2", 2.0, false,
         Measure::BytesPerRecord},
        {"heap bytes per record, 1e6", "RecordSetBytesPerRecord/1000000/iterations:1",
         "SqliteBytesPerRecord/1000000/iterations:1", "SQLite in memory", "(information)", 0.0,
         false, Measure::BytesPerRecord},
        {"one full paint of the grid, 1e6 records", "GridPaint/1000000", "GridPaint/10",
         "the same grid at 10 records", "<= 1.2", 1.2},
        {"click toggling a grid check box, all repainted", "WindowToggleCheckBoxCell",
         "PlainCheckBoxClick", "click on a plain QCheckBox", "<= 3", 3.0},
        {"window from its description to first paint", "WindowFromDescription", "WindowBuiltByHand",
         "the same window built in C++", "<= 1.3", 1.3},
    };
    return table;
}

// A time per iteration with a readable unit.
std::string timeText(double seconds) {
    char text[32];
    if (seconds >= 1e-3) {
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    } else if (seconds >= 1e-6) {
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.1f ns", seconds * 1e9);
    }
    return text;
}

std::string bytesText(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f B", bytes);
    return text;
}

void printTable(const RatioReporter& reporter) {
    std::printf("\n| figure | ours | baseline | baseline is | ratio | goal | met |\n");
    std::printf("|---|---:|---:|---|---:|---|---|\n");
    for (const Figure& figure : figures()) {
        const bool bytes = figure.measure == Measure::BytesPerRecord;
        double ours = bytes ? reporter.counter(figure.ours, "bytes_per_record")
                            : reporter.seconds(figure.ours);
        double base = bytes ? reporter.counter(figure.baseline, "bytes_per_record")
                            : reporter.seconds(figure.baseline);
        if (ours <= 0 || base <= 0) {
            std::printf("| %s | - | - | %s | - | %s | not run |\n", figure.what,
                        figure.baselineWhat, figure.goal);
            continue;
        }
        if (!bytes) {
            ours /= figure.items;
            base /= figure.items;
        }
        const double ratio = ours / base;
        const char* met = "-";
        if (figure.limit > 0) {
            const bool ok = figure.strict ? ratio < figure.limit : ratio <= figure.limit;
            met = ok ? "yes" : "NO";
        }
        const std::string oursText = bytes ? bytesText(ours) : timeText(ours);
        const std::string baseText = bytes ? bytesText(base) : timeText(base);
        std::printf("| %s | %s | %s | %s | %.2f | %s | %s |\n", figure.what, oursText.c_str(),
                    baseText.c_str(), figure.baselineWhat, ratio, figure.goal, met);
    }
    std::printf(
        "\nTimes are CPU time per operation (per record for append+post); ratio = ours / "
        "baseline.\n");
}

}  // namespace

int main(int argc, char** argv) {
    // Memory one repetition frees stays with the process for the next, as it
    // would in a program that keeps running. Otherwise whether the allocator
    // hands the top of the heap back to the system, so that the next
    // repetition pays a page fault for every page it fills again, depends on
    // how the heap happens to be laid out: the figures jumped by a fifth
    // between builds that differed only in where a small block sat.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    // The widget figures paint off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printTable(reporter);
    benchmark::Shutdown();
    return 0;
}
