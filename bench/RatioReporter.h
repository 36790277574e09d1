#pragma once
// A benchmark reporter that, besides the usual console lines, keeps each
// run's CPU time per iteration and its counters, so that main() can print
// every figure as a ratio against the baseline measured in the same run.
//
// CPU time rather than wall time: the benchmarks are single-threaded, and on
// a machine shared with other work the wall time also counts the time the
// process waited for a core.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration && run.iterations > 0) {
                secondsPerIteration_[run.benchmark_name()] =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
                for (const auto& [name, counter] : run.counters) {
                    counters_[run.benchmark_name() + ":" + name] = counter.value;
                }
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
    std::map<std::string, double> secondsPerIteration_;
    std::map<std::string, double> counters_;
};
