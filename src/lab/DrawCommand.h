#pragma once

#include "session/NodeHeat.h"

#include <QCommandLineParser>
#include <QStringList>

#include <optional>

class Drawing;
class LabLog;

// treelab draw LOG --attempt K --out FILE.svg|FILE.png [--data FILE]: one attempt drawn
// on the tree (see TreePicture); with --heat inspections|dwell, how much each node was
// looked at over the logs given (HeatPicture); with --lookahead, the look-ahead depth by
// attempt (LookaheadPicture). PNG needs a QGuiApplication, which main creates for this
// command alone.
class DrawCommand
{
public:
    static int run(const QStringList &arguments); // arguments[0] is "treelab draw"
    static QString help();

private:
    static int runMany(const QCommandLineParser &parser, const QString &command, const QCommandLineOption &heat,
                       const QCommandLineOption &lookahead, const QCommandLineOption &attempt,
                       const QCommandLineOption &out, const QCommandLineOption &times, const QCommandLineOption &data);
    static int drawHeat(const QString &command, const QStringList &paths, NodeHeat::Measure measure, int attempt,
                        const QString &payoffFile, const QString &out);
    static int drawLookahead(const QString &command, const QStringList &paths, const QString &payoffFile,
                             const QString &out);
    // Reads the log at path with its payoffs; the exit status when it cannot be read.
    static std::optional<int> load(const QString &command, const QString &path, const QString &payoffFile,
                                   LabLog *log);
    // The attempt number --attempt gives, from 1; the exit status of a usage error when it
    // is not one.
    static std::optional<int> attemptNumber(const QCommandLineParser &parser, const QCommandLineOption &option,
                                            const QString &command, int *attempt);
    // The exit status when log has fewer attempts than attempt, told.
    static std::optional<int> lacksAttempt(const QString &command, const LabLog &log, int attempt);
    // The exit status of a usage error when out is neither an SVG nor a PNG file.
    static std::optional<int> refusePictureName(const QString &command, const QString &out);
    static int save(const QString &command, const QString &out, const Drawing &drawing);
};
