#pragma once

#include <QString>
#include <vector>

// The room window's poll at the size of a large lab: 60 workstation folders, each with a
// log of a subject in the middle of an attempt, read by RoomReader as the window reads
// them once a second.
class RoomBenchmarks
{
public:
    static constexpr int Workstations = 60;

    struct Figures
    {
        bool ok = false;
        QString error;
        std::vector<double> unchangedMs; // one tick each, nothing changed
        std::vector<double> grownMs;     // one tick each, after every log grew by one record
    };

    // Makes room/ws1/data ... ws60/data under folder (the shipped payoff file, okto.go, a
    // log of subject k cut after its first lines) and times rounds ticks of each kind.
    static Figures measureTicks(const QString &folder, const QString &templateLog, const QString &payoffFile,
                                int rounds);

    // The room folder made by measureTicks, for the window's memory probe.
    static QString roomOf(const QString &folder);
};
