#include "ResultCollector.h"

#include "BenchResults.h"

#include <cstdio>

bool ResultCollector::ReportContext(const Context &)
{
    return true;
}

void ResultCollector::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        BenchResults::Timing timing;
        timing.name = run.run_name.function_name; // without the /iterations:... suffixes
        timing.failed = run.error_occurred;
        timing.error = run.error_message;
        timing.secondsPerIteration =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        for (const auto &[name, counter] : run.counters)
            timing.counters[name] = counter.value;
        std::fprintf(stderr, "  %-60s %s\n", timing.name.c_str(),
                     timing.failed ? ("FAILED: " + timing.error).c_str() : "done");
        m_results.addTiming(std::move(timing));
    }
}
