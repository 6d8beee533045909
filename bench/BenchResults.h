#pragma once

#include "LatencySamples.h"

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Everything the benchmark run measures in this process, for the closing table: the
// per-call latencies of the handlers (kept by the benchmarks themselves) and the
// timings that Google Benchmark takes of the file work.
class BenchResults
{
public:
    struct Timing
    {
        std::string name;
        double secondsPerIteration = 0.0;
        std::map<std::string, double> counters;
        bool failed = false;
        std::string error;
    };

    // The samples of one row of the table, created empty on first use; the reference
    // stays valid for the whole run, and rows keep the order in which they were named.
    LatencySamples &latency(const std::string &row);
    const std::deque<std::pair<std::string, LatencySamples>> &latencies() const { return m_latencies; }

    void addTiming(Timing timing) { m_timings.push_back(std::move(timing)); }
    // nullptr if no benchmark of that name ran.
    const Timing *timing(const std::string &name) const;

private:
    std::deque<std::pair<std::string, LatencySamples>> m_latencies; // references stay valid
    std::vector<Timing> m_timings;
};
