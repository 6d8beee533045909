#pragma once

#include <benchmark/benchmark.h>

class BenchResults;

// Google Benchmark's display reporter for this run: keeps every run in the results for
// the closing table and prints one progress line per benchmark to standard error.
class ResultCollector : public benchmark::BenchmarkReporter
{
public:
    explicit ResultCollector(BenchResults &results) : m_results(results) {}

    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;

private:
    BenchResults &m_results;
};
