#include "lab/VerifyCommand.h"

#include "lab/CommandLine.h"
#include "lab/LabLog.h"

#include <QDir>

QString VerifyCommand::help()
{
    return QStringLiteral(
        "Usage: treelab verify LOG...\n"
        "\n"
        "Reads each event log LOG line by line as the program writes it, by the rules of the\n"
        "run: Start first and once; a click only on a node still in play; after a click or a\n"
        "closed notepad that leaves a decision or chance node, that node's NotepadContents\n"
        "record; ConfirmDecision and NatureMove only at the node just clicked on which the\n"
        "subject stands; FinalPayoffNode only right after Nature's move at c3, and Continue\n"
        "only after it. A notepad text is written verbatim and may run over several lines;\n"
        "a line inside it is text unless the rules allow that record at that point, so text\n"
        "that a subject typed in the form of a record is read as text.\n"
        "\n"
        "For each LOG it prints one line: \"ok\" with its records and attempts, or \"FAILS\"\n"
        "followed by one line for each line that has no place, with what the rules expected\n"
        "there. A damaged or forged line fails the log. A log whose lines all end in LF\n"
        "instead of CR LF (copied by a tool that converts line ends) is read with a warning.\n"
        "Where the log has a companion record beside it (LOG.jsonl), every record is compared\n"
        "with the companion's: kind, time stamp, node, move and notepad text; a difference\n"
        "fails the log. treelab pay and treelab export refuse a log that fails, unless given\n"
        "--force.\n"
        "\n"
        "Options:\n"
        "  -h, --help  Show this help.\n"
        "\n"
        "Exit status: 0 when every LOG is read by the rules; 1 when any fails or cannot be\n"
        "read; 2 for a usage error.\n");
}

int VerifyCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    QStringList paths;
    if (const auto done = LabLog::parseLogs(parser, arguments, help(), &paths))
        return *done;
    bool failed = false;
    for (const QString &path : paths) {
        const QString shown = QDir::toNativeSeparators(path);
        LabLog log;
        QString error;
        if (!LabLog::load(path, &log, &error)) {
            CommandLine::out(QStringLiteral("%1: FAILS: %2\n").arg(shown, error));
            failed = true;
            continue;
        }
        int finished = 0;
        for (const AttemptSummary &attempt : log.attempts)
            finished += attempt.finished() ? 1 : 0;
        const QString facts = QStringLiteral("subject %1, set %2, %3 records, %4 attempts finished")
                                  .arg(log.subject()).arg(log.set()).arg(log.parsed.records.size()).arg(finished);
        const QString checked = log.companion ? QStringLiteral(", and agrees with its companion record")
                                              : QString();
        if (log.parsed.problems.isEmpty() && log.companionProblems.isEmpty()) {
            CommandLine::out(QStringLiteral("%1: ok: %2%3\n").arg(shown, facts, checked));
        } else {
            failed = true;
            QStringList what;
            if (log.parsed.problemCount() > 0)
                what.append(QStringLiteral("%1 lines have no place by the rules").arg(log.parsed.problemCount()));
            if (!log.companionProblems.isEmpty())
                what.append(QStringLiteral("%1 differences from its companion record").arg(log.companionProblems.size()));
            CommandLine::out(QStringLiteral("%1: FAILS: %2 (%3)\n").arg(shown, what.join(QStringLiteral(", ")), facts));
            for (const LogProblem &problem : log.parsed.problems + log.companionProblems)
                CommandLine::out(QStringLiteral("  line %1: %2\n").arg(problem.line).arg(problem.message));
            if (log.parsed.unlistedProblems > 0)
                CommandLine::out(QStringLiteral("  and %1 more\n").arg(log.parsed.unlistedProblems));
        }
        for (const LogProblem &warning : log.parsed.warnings)
            CommandLine::out(QStringLiteral("  warning: %1\n").arg(warning.message));
    }
    return failed ? CommandLine::Finding : CommandLine::Success;
}
