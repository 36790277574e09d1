// Runs every benchmark, then prints each figure as a ratio against the
// baseline measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/RatioReporter.h"

namespace {

struct Figure {
    const char* what;
    std::string ours;
    std::string baseline;
    const char* goal;
    bool byCounter = false;  // compare the bytes_per_record counters instead of times
};

const std::vector<Figure>& figures() {
    static const std::vector<Figure> table = {
        {"append+post, 1e5 records", "RecordSetAppendPost/100000", "SqliteAppend/100000",
         "<= 1 (at least as fast)"},
        {"move-next scan of four fields, 1e5", "RecordSetScan/100000", "SqliteScan/100000",
         "< 1 (faster)"},
        {"heap bytes per record, 1e5", "RecordSetBytesPerRecord/100000/iterations:1",
         "SqliteBytesPerRecord/100000/iterations:1", "(for information)", true},
    };
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-40s %14s %14s %8s  %s\n", "figure", "ours", "baseline", "ratio", "goal");
    for (const Figure& figure : figures()) {
        double ours = figure.byCounter ? reporter.counter(figure.ours, "bytes_per_record")
                                       : reporter.time(figure.ours);
        double base = figure.byCounter ? reporter.counter(figure.baseline, "bytes_per_record")
                                       : reporter.time(figure.baseline);
        if (ours <= 0 || base <= 0) {
            std::printf("%-40s %14s %14s %8s  %s\n", figure.what, "-", "-", "-", "(not run)");
            continue;
        }
        std::printf("%-40s %14.2f %14.2f %8.2f  %s\n", figure.what, ours, base, ours / base,
                    figure.goal);
    }
    benchmark::Shutdown();
    return 0;
}
