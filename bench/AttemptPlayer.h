#pragma once

#include "WindowFixture.h"

#include <QtGlobal>

#include <chrono>
#include <memory>

class TreeWindow;
struct Controls;

// Brings the real window (the test fixture's seams: standing clock, scripted draws,
// answered message boxes, the real event log in a temporary folder) to the state a
// handler needs, so a benchmark can time the one click it is about.
class AttemptPlayer
{
public:
    // A confirmed run of the given number of attempts (1..20); with released, the
    // go-ahead given, Start clicked and the instructions put away.
    explicit AttemptPlayer(int attempts, bool released = true);

    WindowFixture &fixture() { return *m_fixture; }
    TreeWindow &window();
    const Controls &controls() const;

    // From where the subject stands, moves up to stand on the path's node of level
    // (1..7): decisions alternate Left and Right, Nature's draws too.
    void climbTo(int level);
    // Clicks the node the subject stands on, which offers its move; at a decision node
    // one option is checked.
    void openStandingNode(bool left = true);
    int standingIndex(int level) const;

    // Delivers everything pending: the repaints a click has asked for among them.
    static void settle();

    // The time of one call of f and of the event processing it causes (posted events
    // and repaints), in nanoseconds. Whatever was pending before is delivered first, and
    // the records written before are on the disk, as they are long before a subject's
    // next click. Under callgrind --collect-atstart=no only these timed regions are counted.
    template <typename F>
    qint64 timeNs(F &&f)
    {
        settle();
        waitForDisk();
        toggleCallgrind();
        const auto start = std::chrono::steady_clock::now();
        f();
        settle();
        const auto end = std::chrono::steady_clock::now();
        toggleCallgrind();
        return std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count();
    }

    void waitForDisk();

    // Switches callgrind's collection on or off; nothing outside valgrind.
    static void toggleCallgrind();

private:
    std::unique_ptr<WindowFixture> m_fixture;
    bool m_nextLeft = true;
};
