#include "BenchResults.h"

LatencySamples &BenchResults::latency(const std::string &row)
{
    for (auto &[name, samples] : m_latencies) {
        if (name == row)
            return samples;
    }
    m_latencies.emplace_back(row, LatencySamples());
    return m_latencies.back().second;
}

const BenchResults::Timing *BenchResults::timing(const std::string &name) const
{
    for (const Timing &t : m_timings) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}
