#pragma once

#include "session/Finding.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// What every treelab command shares: its exit status, its output (UTF-8 on the
// standard streams) and the reading of its arguments with --help.
namespace CommandLine {

enum Exit : int {
    Success = 0,
    Finding = 1, // something the experiment program would fail on, or a folder not handled
    Usage = 2,   // the command line itself is wrong
};

void out(const QString &text);
void err(const QString &text);

// Parses arguments (the first is the command's name, as "treelab check") with a -h/--help
// option added. Returns the exit status when the command is done already: help shown (0)
// or a usage error reported (2); nullopt when the command should run.
std::optional<int> parse(QCommandLineParser &parser, const QStringList &arguments,
                         const QString &help);

// --data FILE: the payoff file of the logs, for the commands that show payoffs.
QCommandLineOption payoffFileOption();

// Whether standard output is a terminal that takes the control codes that clear the
// screen (a console on Windows, switched to them here).
bool canRedraw();

// --force: read logs that fail verification, naming each line read by force.
QCommandLineOption forceOption();

// --xlsx FILE: the same tables as an Excel workbook, one worksheet each.
QCommandLineOption xlsxOption();

// Tells findings on stderr, each line after "command: ".
void tell(const QString &command, const Findings &findings);

// --include-days: also read the logs last written on another day than the session's.
QCommandLineOption includeDaysOption();

// CommandLine::parse for a command that reads logs, then its LOG arguments into *logs
// (LogArguments::resolve, whose notes are told). With includeDays (a payment, an export)
// the logs of other days than the session's are left out unless that option is given
// (LogArguments::ofSession), each day told. None left is a usage error. The exit status
// when the command is done already, else nullopt.
std::optional<int> parseLogs(QCommandLineParser &parser, const QStringList &arguments, const QString &help,
                             QStringList *logs, const QCommandLineOption *includeDays = nullptr);

// The usage error of command when an output may not be written (OutputCheck), saying
// that nothing was written; nullopt when all may be written.
std::optional<int> refuseOutputs(const QString &command, const QStringList &outputs, const QStringList &logs,
                                 const QString &payoffFile);

// Reports a usage error of the command and returns Usage.
int usageError(const QString &command, const QString &message);

// --attempts N, the experiment's number of attempts (1 to the most the program takes):
// into *attempts when given, which keeps its value otherwise. The usage error's exit
// status when N is no such number, else nullopt.
std::optional<int> readAttempts(const QCommandLineParser &parser, const QCommandLineOption &option,
                                const QString &command, int *attempts);

} // namespace CommandLine
