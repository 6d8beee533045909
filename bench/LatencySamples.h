#pragma once

#include <QtGlobal>

#include <vector>

// The durations of single calls, in nanoseconds, and their order statistics.
class LatencySamples
{
public:
    void reserve(std::size_t n) { m_ns.reserve(n); }
    void add(qint64 ns) { m_ns.push_back(ns); }
    std::size_t count() const { return m_ns.size(); }

    // The nearest-rank percentile, 0 < p <= 100, in microseconds; 0 when empty.
    double percentileUs(double p) const;
    double medianUs() const { return percentileUs(50.0); }
    double maxUs() const { return percentileUs(100.0); }

private:
    std::vector<qint64> m_ns;
};
