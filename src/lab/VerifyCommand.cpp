#include "lab/VerifyCommand.h"

#include "lab/CommandLine.h"
#include "session/LabLog.h"
#include "session/Payment.h"
#include "session/PayoffAgreement.h"
#include "session/LogVerdict.h"

#include <QDir>
#include <QHash>

#include <algorithm>

QString VerifyCommand::help()
{
    return QStringLiteral(
        "Usage: treelab verify LOG... [--data FILE] [--attempts N]\n"
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
        "It also checks the run as a whole: no more attempts finished than the run had (the\n"
        "companion record's number of attempts, else --attempts N, else the number the\n"
        "program was built with, %1), and every payoff the companion record says the\n"
        "subject was shown against the companion's own payoff table and, where the payoff\n"
        "file beside the log (or --data) holds the log's set, against that file; a\n"
        "difference fails the log, naming the attempt, the node and both values.\n"
        "\n"
        "Each line also says how the run ended: all attempts finished, or unfinished with\n"
        "how many of how many; and from a companion record, whether the program was closed\n"
        "(by its window or by 99 in okto.go), ended by a signal, or cut off with no end line\n"
        "(killed, crashed, power lost, or still running). An unfinished run is no failure\n"
        "of its log, but treelab pay refuses it without --partial.\n"
        "\n"
        "LOG may also be a workstation's data folder: its event logs are read, not their\n"
        "companion records nor logs kept aside as \"<log>.<n>\". Each log's line is followed\n"
        "by when it was last written. A log set aside in the room window (\"<log>.aside\"\n"
        "beside it) is left out, named with the reason typed for it.\n"
        "\n"
        "Options:\n"
        "  --data FILE   The payoff file to check the payoffs shown against (the one beside\n"
        "                each log when not given).\n"
        "  --attempts N  The run's number of attempts, for logs without a companion record.\n"
        "  -h, --help    Show this help.\n"
        "\n"
        "Exit status: 0 when every LOG is read by the rules; 1 when any fails or cannot be\n"
        "read; 2 for a usage error.\n")
        .arg(LabLog::builtAttempts());
}

int VerifyCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption dataOption = CommandLine::payoffFileOption();
    const QCommandLineOption attemptsOption(QStringLiteral("attempts"), QStringLiteral("number of attempts"),
                                            QStringLiteral("N"));
    parser.addOption(dataOption);
    parser.addOption(attemptsOption);
    QStringList paths;
    if (const auto done = CommandLine::parseLogs(parser, arguments, help(), &paths))
        return *done;
    int attemptsGiven = 0;
    if (const auto wrong = CommandLine::readAttempts(parser, attemptsOption, arguments.value(0), &attemptsGiven))
        return *wrong;
    bool failed = false;
    PayoffAgreement agreement;
    QList<LogVerdict> verdicts;
    QHash<QString, int> languages; // of the logs read, English as ""
    for (const QString &path : paths) {
        verdicts.append(LogVerdict::of(path, parser.value(dataOption), attemptsGiven));
        if (verdicts.last().read) {
            ++languages[verdicts.last().language];
            agreement.add(Payment::workstationOf(path), verdicts.last().set, verdicts.last().payoffs);
        }
    }
    // The language most of the logs were shown in; a log in another is named. Said only
    // where a translation was used at all.
    const bool translated = languages.size() > 1 || !languages.contains(QString());
    int most = 0;
    for (const int count : std::as_const(languages))
        most = std::max(most, count);
    const auto name = [](const QString &language) {
        return language.isEmpty() ? QStringLiteral("English") : language;
    };
    for (const LogVerdict &verdict : std::as_const(verdicts)) {
        const QString &path = verdict.path;
        failed = failed || !verdict.ok;
        CommandLine::out(QStringLiteral("%1: %2\n").arg(QDir::toNativeSeparators(path), verdict.summary));
        if (verdict.written.isValid())
            CommandLine::out(QStringLiteral("  last written %1\n").arg(verdict.writtenText()));
        if (translated && verdict.read)
            CommandLine::out(languages.value(verdict.language) < most
                                 ? QStringLiteral("  texts: %1, unlike most of the logs given\n").arg(name(verdict.language))
                                 : QStringLiteral("  texts: %1\n").arg(name(verdict.language)));
        for (const Finding &problem : verdict.problems)
            CommandLine::out(QStringLiteral("  line %1: %2\n").arg(problem.line).arg(problem.message));
        if (verdict.unlisted > 0)
            CommandLine::out(QStringLiteral("  and %1 more\n").arg(verdict.unlisted));
        for (const Finding &warning : verdict.warnings)
            CommandLine::out(QStringLiteral("  warning: %1\n").arg(warning.message));
    }
    for (const Finding &disagreement : agreement.disagreements(Finding::Severity::Error)) {
        CommandLine::out(QStringLiteral("FAILS: %1\n").arg(disagreement.message));
        failed = true;
    }
    return failed ? CommandLine::Finding : CommandLine::Success;
}
