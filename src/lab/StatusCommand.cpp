#include "lab/StatusCommand.h"

#include "lab/CommandLine.h"
#include "session/LabLog.h"
#include "session/StatusTable.h"
#include "session/WorkstationReader.h"
#include "record/SystemClock.h"

#include <QDateTime>

#include <chrono>
#include <thread>

QString StatusCommand::help()
{
    return QStringLiteral(
        "Usage: treelab status DIR... [--attempts N] [--watch]\n"
        "\n"
        "Shows one line per workstation, read from the files the experiment program writes in\n"
        "its data folder DIR (the folder \"data\" beside its decisiontree); it writes nothing.\n"
        "\n"
        "Columns:\n"
        "  FOLDER   the DIR given\n"
        "  GO       the number in okto.go (\"none\" when there is no okto.go)\n"
        "  LOG      the newest event log: the newest file, by modification time, whose name\n"
        "           begins with \"o\" and whose first line is a log header\n"
        "           \"<subject>  <set>  <date>  <clock>\"; a log kept aside as \"<log>.<n>\"\n"
        "           counts only when it is the newest\n"
        "  SUBJECT  the subject number, and SET the parameter set, from the log's header\n"
        "  ATTEMPT  the attempt in play, out of N; between two attempts the next one\n"
        "  LEVEL    the level the subject stands on in that attempt, 1 d1 to 7 p\n"
        "  DONE     the attempts that have reached their payoff node\n"
        "  PAYOFFS  their payoffs as the subject saw them, from the log's companion record\n"
        "           (<log>.jsonl) where there is one, else from the payoff file named in the\n"
        "           log's name (o<set><subject><payoff file>) in the same folder; the payoff\n"
        "           node, as p(50), when that file cannot be read\n"
        "  SINCE    time since the log was last written: its modification time against\n"
        "           this machine's clock now (the program writes every record at once), in\n"
        "           seconds, then minutes, hours or days; 0 s and a note when the log's time\n"
        "           is ahead of this machine's clock\n"
        "  OVER     yes when the log holds N Continue records: the subject has left the last\n"
        "           attempt. The log does not hold the number of attempts; a companion\n"
        "           record beside it does (<log>.jsonl), else give it with --attempts when\n"
        "           it is not %1, the number the program was built with. With more\n"
        "           Continue records than N, ATTEMPT and OVER show \"?\" and a note asks for\n"
        "           the right N\n"
        "A folder with two logs of today (two programs started on one data folder) shows a\n"
        "line for each, its LOG marked \"!\"; a log kept aside today as \"<log>.<n>\" (the\n"
        "program started again) is noted. Over the room's logs of today, a subject number\n"
        "found in two logs is marked \"!\" with both folders named, and a parameter set that\n"
        "differs from the one most logs have is marked \"!\".\n"
        "A companion record that differs from its log is set aside, with a note, as\n"
        "treelab pay does: the log and its payoff file are shown.\n"
        "A GO value of 1 or 99 where there is no log of today's run (none, or only one last\n"
        "written on an earlier day) is left from an earlier session and marked \"!\": 99 would\n"
        "close the program right after its parameters are confirmed, 1 would offer Start at\n"
        "once. \"treelab prepare\" writes 0.\n"
        "Below the table, a line for each thing that could not be read, such as a log line\n"
        "that is not a record.\n"
        "\n"
        "Options:\n"
        "  --attempts N  The number of attempts the experiment was set to (1 to 20; %1 when\n"
        "                not given, as the program was built).\n"
        "  --watch       Show the table every second until interrupted (Ctrl+C): redrawn in\n"
        "                place on a terminal, one table after another into a file or pipe.\n"
        "  -h, --help    Show this help.\n"
        "\n"
        "Exit status: 0 when every DIR and its okto.go could be read; 1 when a DIR does not\n"
        "exist, its okto.go is missing or holds no number (the program's go-ahead poll\n"
        "would fail on it), or holds a leftover 1 or 99, or a line is marked \"!\"; 2 for a\n"
        "usage error.\n")
        .arg(LabLog::builtAttempts());
}

int StatusCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption attemptsOption(QStringLiteral("attempts"),
                                            QStringLiteral("number of attempts"), QStringLiteral("N"));
    const QCommandLineOption watchOption(QStringLiteral("watch"), QStringLiteral("redraw"));
    parser.addOption(attemptsOption);
    parser.addOption(watchOption);
    if (const auto done = CommandLine::parse(parser, arguments, help()))
        return *done;
    const QString command = arguments.value(0);
    const QStringList folders = parser.positionalArguments();
    if (folders.isEmpty())
        return CommandLine::usageError(command, QStringLiteral("no DIR given"));
    int attempts = 0; // the companion's, else the number the program was built with
    if (const auto wrong = CommandLine::readAttempts(parser, attemptsOption, command, &attempts))
        return *wrong;

    const SystemClock clock;
    const WorkstationReader reader(clock, attempts);
    if (!parser.isSet(watchOption)) {
        const QList<WorkstationState> states = reader.states(folders);
        CommandLine::out(StatusTable::render(states));
        for (const WorkstationState &state : states)
            if (state.failed())
                return CommandLine::Finding;
        return CommandLine::Success;
    }
    // The screen is redrawn only on a terminal; into a file or a pipe each table follows
    // the one before, without control codes.
    const bool redraw = CommandLine::canRedraw();
    for (;;) {
        const QString text = StatusTable::render(reader.states(folders));
        const QString heading = QStringLiteral("treelab status at %1, every second; Ctrl+C stops\n\n")
                                    .arg(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss")));
        // Home, clear the screen, then the table: one write, so it never flickers half drawn.
        CommandLine::out(redraw ? QStringLiteral("\x1b[H\x1b[2J") + heading + text
                                : heading + text + QLatin1Char('\n'));
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}
