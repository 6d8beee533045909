#include "HandlerBenchmarks.h"

#include "AttemptPlayer.h"
#include "BenchResults.h"

#include "tree/logic/TreeModel.h"
#include "tree/TreeWalk.h"
#include "window/widgets/Controls.h"
#include "window/ExperimentFlow.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using Body = std::function<void(benchmark::State &, LatencySamples &)>;

// One benchmark whose every iteration is one timed call, reported as manual time and
// kept in the results under row.
void add(BenchResults &results, const std::string &row, int calls, Body body)
{
    benchmark::RegisterBenchmark(("handler/" + row).c_str(),
                                 [&results, row, body](benchmark::State &state) {
                                     LatencySamples &samples = results.latency(row);
                                     samples.reserve(std::size_t(state.max_iterations));
                                     body(state, samples);
                                     state.counters["p50_us"] = samples.medianUs();
                                     state.counters["p99_us"] = samples.percentileUs(99.0);
                                     state.counters["calls"] = double(samples.count());
                                 })
        ->Iterations(calls)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

void record(benchmark::State &state, LatencySamples &samples, qint64 ns)
{
    samples.add(ns);
    state.SetIterationTime(double(ns) / 1e9);
}

constexpr int ManyAttempts = 20;

} // namespace

void HandlerBenchmarks::registerAll(BenchResults &results, int calls)
{
    // After a whole attempt, so that 126 nodes go back from grey to their colour.
    add(results, "ResetTree (after a whole attempt)", calls, [](benchmark::State &state, LatencySamples &s) {
        AttemptPlayer p(ManyAttempts);
        for (auto _ : state) {
            p.climbTo(TreeModel::PayoffLevel);
            record(state, s, p.timeNs([&] { p.window().walk().ResetTree(); }));
        }
    });

    // Two nodes ahead of the subject, clicked in turn: each click logs the other's
    // notepad, gives it back its colour and stores its text.
    add(results, "c2_Click / d3_Click (leaves an inspected node)", calls,
        [](benchmark::State &state, LatencySamples &s) {
            AttemptPlayer p(ManyAttempts);
            WindowFixture &f = p.fixture();
            f.clickNode(4, 1);
            bool chance = false;
            for (auto _ : state) {
                p.controls().Notepad->setPlainText(QStringLiteral("Nature is kind on the left."));
                const int level = chance ? 4 : 5;
                const int index = chance ? 1 : 5;
                record(state, s, p.timeNs([&] { f.clickNode(level, index); }));
                chance = !chance;
            }
        });

    add(results, "d1_Click (node stood on: opens DecisionBox)", calls,
        [](benchmark::State &state, LatencySamples &s) {
            AttemptPlayer p(ManyAttempts);
            for (auto _ : state)
                record(state, s, p.timeNs([&] { p.fixture().clickNode(1, 0); }));
        });

    add(results, "p_Click (leaves an inspected payoff node)", calls,
        [](benchmark::State &state, LatencySamples &s) {
            AttemptPlayer p(ManyAttempts);
            int turn = 0;
            for (auto _ : state) {
                const int index = (turn++ % 2) ? 50 : 10;
                record(state, s, p.timeNs([&] { p.fixture().clickNode(7, index); }));
            }
        });

    add(results, "CloseNotepad_Click", calls, [](benchmark::State &state, LatencySamples &s) {
        AttemptPlayer p(ManyAttempts);
        WindowFixture &f = p.fixture();
        for (auto _ : state) {
            f.clickNode(4, 2);
            p.controls().Notepad->setPlainText(QStringLiteral("Looks risky."));
            record(state, s, p.timeNs([&] { f.click(p.controls().CloseNotepad); }));
        }
    });

    for (const int level : {1, 3, 5}) {
        const std::string row = "ConfirmDecision_Click at d" + std::to_string(level / 2 + 1)
            + " (marks out " + std::to_string(1 << (TreeModel::PayoffLevel - level)) + " nodes)";
        add(results, row, calls, [level](benchmark::State &state, LatencySamples &s) {
            AttemptPlayer p(ManyAttempts);
            bool left = true;
            for (auto _ : state) {
                p.window().walk().ResetTree();
                p.climbTo(level);
                p.openStandingNode(left);
                left = !left;
                record(state, s, p.timeNs([&] { p.fixture().click(p.controls().ConfirmDecision); }));
            }
        });
    }

    for (const int level : {2, 4, 6}) {
        std::string row = "NatureMove_Click at c" + std::to_string(level / 2);
        if (level == 6)
            row += " (reaches p, first attempt: writes okto.go)";
        add(results, row, calls, [level](benchmark::State &state, LatencySamples &s) {
            AttemptPlayer p(ManyAttempts);
            bool left = true;
            for (auto _ : state) {
                p.window().walk().ResetTree();
                p.climbTo(level);
                p.openStandingNode();
                p.fixture().random.draws.append(left ? 0.25f : 0.75f);
                left = !left;
                record(state, s, p.timeNs([&] { p.fixture().click(p.controls().NatureMove); }));
            }
        });
    }

    // Runs of 20 attempts, played one after another: 19 of every 20 calls offer the
    // next attempt, the 20th closes the log and shows the summary of payoffs.
    add(results, "Continue_Click (1 in 20 ends the experiment)", calls,
        [](benchmark::State &state, LatencySamples &s) {
            std::unique_ptr<AttemptPlayer> p;
            for (auto _ : state) {
                if (!p || p->window().state().experimentOver())
                    p = std::make_unique<AttemptPlayer>(ManyAttempts);
                else
                    p->fixture().click(p->controls().NextAttempt);
                p->climbTo(TreeModel::PayoffLevel);
                record(state, s, p->timeNs([&] { p->fixture().click(p->controls().Continue); }));
            }
        });

    add(results, "NextAttempt_Click (resets a played tree)", calls,
        [](benchmark::State &state, LatencySamples &s) {
            std::unique_ptr<AttemptPlayer> p;
            for (auto _ : state) {
                if (!p || p->window().state().AttemptsLeft <= 1)
                    p = std::make_unique<AttemptPlayer>(ManyAttempts);
                p->climbTo(TreeModel::PayoffLevel);
                p->fixture().click(p->controls().Continue);
                record(state, s, p->timeNs([&] { p->fixture().click(p->controls().NextAttempt); }));
            }
        });

    add(results, "Start_Click", calls, [](benchmark::State &state, LatencySamples &s) {
        AttemptPlayer p(ManyAttempts);
        for (auto _ : state) {
            p.window().flow().ShowStart();
            record(state, s, p.timeNs([&] { p.fixture().click(p.controls().Start); }));
            p.fixture().click(p.controls().ShowtheTree);
        }
    });

    add(results, "ShowtheTree_Click", calls, [](benchmark::State &state, LatencySamples &s) {
        AttemptPlayer p(ManyAttempts);
        for (auto _ : state) {
            p.window().flow().ShowStart();
            p.fixture().click(p.controls().Start);
            record(state, s, p.timeNs([&] { p.fixture().click(p.controls().ShowtheTree); }));
        }
    });

    // Waiting for the go-ahead: okto.go holds 0, so each tick reads it and waits on.
    add(results, "TimerOkToGo_Timer (one poll tick, waiting)", calls,
        [](benchmark::State &state, LatencySamples &s) {
            AttemptPlayer p(ManyAttempts, false);
            for (auto _ : state)
                record(state, s, p.timeNs([&] { p.window().flow().TimerOkToGo_Timer(); }));
        });
}
