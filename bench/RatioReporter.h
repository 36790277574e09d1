#pragma once
// A benchmark reporter that, besides the usual console lines, keeps each
// run's CPU time per iteration and its counters, so that main() can print
// every figure as a ratio against the baseline measured in the same run.
//
// CPU time rather than wall time: the benchmarks are single-threaded, and on
// a machine shared with other work the wall time also counts the time the
// process waited for a core. With --benchmark_repetitions the median of the
// repetitions is kept, which shrugs off a repetition that another process
// disturbed.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                continue;
            }
            const bool single = run.run_type == Run::RT_Iteration && run.iterations > 0;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!single && !median) {
                continue;
            }
            const std::string name = run.run_name.str();
            // A median, once there, wins over the single repetitions.
            if (single && medians_.count(name) != 0) {
                continue;
            }
            if (median) {
                medians_[name] = true;
            }
            secondsPerIteration_[name] = run.GetAdjustedCPUTime() * timeUnitSeconds(run.time_unit);
            for (const auto& [counterName, counter] : run.counters) {
                counters_[name + ":" + counterName] = counter.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // CPU seconds per iteration; 0 when the run is missing or failed.
    double seconds(const std::string& name) const {
        auto it = secondsPerIteration_.find(name);
        return it == secondsPerIteration_.end() ? 0.0 : it->second;
    }
    double counter(const std::string& name, const std::string& counter) const {
        auto it = counters_.find(name + ":" + counter);
        return it == counters_.end() ? 0.0 : it->second;
    }

private:
    static double timeUnitSeconds(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kNanosecond:
                return 1e-9;
            case benchmark::kMicrosecond:
                return 1e-6;
            case benchmark::kMillisecond:
                return 1e-3;
            case benchmark::kSecond:
                return 1.0;
        }
        return 1.0;
    }

    std::map<std::string, double> secondsPerIteration_;
    std::map<std::string, double> counters_;
    std::map<std::string, bool> medians_;
};
