#pragma once

class BenchResults;

// The latency of every handler the subject's clicks reach, on the real window: each
// call is timed on its own, together with the event processing it causes (the mouse
// press and release, the handler, the posted events and the repaints of the widgets it
// changed), with the message boxes answered at once. The state each call needs is set
// up outside the timed region.
class HandlerBenchmarks
{
public:
    // Registers one Google Benchmark per handler, each timing `calls` calls.
    static void registerAll(BenchResults &results, int calls);
};
