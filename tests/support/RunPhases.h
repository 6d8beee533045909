#pragma once

#include "WindowFixture.h"

#include "window/widgets/Controls.h"
#include "window/widgets/WrappingButton.h"

#include <QPlainTextEdit>
#include <QTest>

// Every screen of a run, each reached on a fresh window by the clicks a subject makes:
// for the tests that look at each phase (keys, fonts on small screens).
namespace RunPhases {

// One attempt from d1 to its payoff node, Left at every level.
inline void playAttempt(WindowFixture &f)
{
    f.playMoves({false, false, false, false, false, false});
}

struct Phase
{
    const char *name;
    void (*reach)(WindowFixture &);
};

inline const Phase all[] = {
    {"parameters", [](WindowFixture &) {}},
    {"waiting", [](WindowFixture &f) { f.confirm(); }},
    {"start offered", [](WindowFixture &f) { f.confirmAndGoAhead(); }},
    {"instructions", [](WindowFixture &f) { f.startRun(); }},
    {"decision offered", [](WindowFixture &f) { f.startRun(); f.clickNode(1, 0); }},
    {"nature offered", [](WindowFixture &f) { f.startRun(); f.playMoves({true}); f.clickNode(2, 1); }},
    {"notepad typed in", [](WindowFixture &f) {
         f.startRun();
         f.clickNode(3, 2);
         QTest::mouseClick(f.controls().Notepad->viewport(), Qt::LeftButton);
         QTest::keyClicks(f.controls().Notepad, QStringLiteral("ab"));
     }},
    {"payoff reached", [](WindowFixture &f) { f.startRun(); playAttempt(f); }},
    {"between attempts", [](WindowFixture &f) {
         f.startRun();
         playAttempt(f);
         f.click(f.controls().Continue);
     }},
    {"next attempt offered", [](WindowFixture &f) {
         f.startRun();
         playAttempt(f);
         f.click(f.controls().Continue);
         f.click(f.controls().NextAttempt);
     }},
    {"end", [](WindowFixture &f) {
         f.startRun();
         for (int attempt = 1; attempt <= 4; ++attempt) {
             playAttempt(f);
             f.click(f.controls().Continue);
             if (attempt < 4)
                 f.click(f.controls().NextAttempt);
         }
     }},
};

} // namespace RunPhases
