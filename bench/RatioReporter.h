#pragma once
// A benchmark reporter that, besides the usual console lines, keeps each
// run's time per iteration so that main() can print every figure as a ratio
// against the baseline measured in the same run.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                nsPerIteration_[run.benchmark_name()] = run.GetAdjustedRealTime();
                for (const auto& [name, counter] : run.counters) {
                    counters_[run.benchmark_name() + ":" + name] = counter.value;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Real time per iteration in the reporter's unit; 0 when the run is missing.
    double time(const std::string& name) const {
        auto it = nsPerIteration_.find(name);
        return it == nsPerIteration_.end() ? 0.0 : it->second;
    }
    double counter(const std::string& name, const std::string& counter) const {
        auto it = counters_.find(name + ":" + counter);
        return it == counters_.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> nsPerIteration_;
    std::map<std::string, double> counters_;
};
