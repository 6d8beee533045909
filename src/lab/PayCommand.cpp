#include "lab/PayCommand.h"

#include "lab/CommandLine.h"
#include "session/LabLog.h"
#include "session/PaymentList.h"
#include "session/PaymentTable.h"

QString PayCommand::help()
{
    return QStringLiteral(
        "Usage: treelab pay LOG... --seed S --out FILE.csv [--xlsx FILE.xlsx] [--data FILE]\n"
        "\n"
        "Chooses at random, for each subject (each event log LOG), the one finished attempt\n"
        "that is paid, and its payoff. The draw is made from the seed S, so announce S before\n"
        "the draw; anyone can repeat it later with the same logs and S and gets the same file.\n"
        "\n"
        "A LOG may also be a workstation's data folder, standing for its event logs: not\n"
        "their companion records, nor logs kept aside as \"<log>.<n>\". Logs taken from\n"
        "folders that were last written on different days are warned of.\n"
        "\n"
        "The session's day is the latest day on which one of the logs was last written. A\n"
        "log last written on another day (last week's, left in a folder) is left out, named\n"
        "with its day, unless --include-days is given. A log set aside in the room window\n"
        "(\"<log>.aside\" beside it) is left out, named with the reason typed for it.\n"
        "\n"
        "The logs paid: each LOG that \"treelab verify\" reads by the rules of the run (see\n"
        "--force). A log kept aside as \"<log>.<n>\" beside <log> (the program keeps an older\n"
        "log of the same name so) and a log that holds its header alone (the program was\n"
        "closed before Start) are skipped, each with a note. Two logs of one subject number\n"
        "are refused, both named: each subject is paid once.\n"
        "\n"
        "A run must have finished all its attempts to be paid: a LOG whose subject is still\n"
        "playing, or whose program was closed or killed before the last attempt ended, is\n"
        "refused, each named, and nothing is written. --partial pays such a run from the\n"
        "attempts it finished; its row says complete 0, and a run with none finished gets a\n"
        "row that pays nothing. The run's number of attempts is its companion record's\n"
        "(LOG.jsonl), else --attempts N, else the number the program was built with (%1).\n"
        "\n"
        "The draw depends on the seed S, the subject number and the number n of the run's\n"
        "finished attempts, and on nothing else: not on the other logs paid with it, nor on\n"
        "their order. The finished attempts are those ended with Continue after reaching\n"
        "their payoff node, in attempt order; the paid one is number k of them, where k is\n"
        "the SHA-256 digest of the text \"S:subject\" read as a number, modulo n, plus 1.\n"
        "Anyone can recompute it without this program, in Python:\n"
        "  import hashlib\n"
        "  k = int(hashlib.sha256(f\"{S}:{subject}\".encode()).hexdigest(), 16) % n + 1\n"
        "\n"
        "The payoff paid is the one the subject was shown: from the log's companion record\n"
        "(LOG.jsonl) where there is one; else from the payoff file beside the log (or --data),\n"
        "with a warning when that file was changed after the log was last written.\n"
        "\n"
        "FILE.csv (UTF-8, a header row, LF line ends) has one row per log, in order of\n"
        "subject number: seed, log (the path as given), subject, set, finished (n), draw\n"
        "(the SHA-256 digest in hexadecimal: the number the draw used), attempt (the attempt\n"
        "number paid), node (its payoff node), payoff_text (the payoff as the subject saw it,\n"
        "\"-£3\"), payoff (as a number) and complete (1 when the run finished all its\n"
        "attempts, 0 for a run paid with --partial). The same table is printed, after a line\n"
        "with the seed.\n"
        "\n"
        "Options:\n"
        "  --seed S         The seed, a whole number 0 to 4294967295.\n"
        "  --out FILE       The table to write.\n"
        "  --xlsx FILE      The same table as the worksheet \"payments\" of the workbook FILE,\n"
        "                   for Excel and LibreOffice.\n"
        "  --data FILE      The payoff file. When not given, the file each log's name names\n"
        "                   (o<set><subject><payoff file>) in the log's folder, as treelab\n"
        "                   status finds it.\n"
        "  --partial        Pay a run that did not finish all its attempts from the ones it\n"
        "                   finished (complete 0); one with none finished is paid nothing.\n"
        "  --attempts N     The run's number of attempts, for logs without a companion\n"
        "                   record (%1 when not given, as the program was built).\n"
        "  --include-kept   Pay logs kept aside as \"<log>.<n>\" too.\n"
        "  --include-days   Pay the logs last written on other days than the session's too.\n"
        "  --force          Pay from a LOG that fails \"treelab verify\" all the same: each\n"
        "                   line without its place is read as the record it looks like, and\n"
        "                   named on stderr as forced.\n"
        "  -h, --help       Show this help.\n"
        "\n"
        "The table is written to a temporary file and renamed into place; it is never written\n"
        "over a LOG, an event log, a companion record, a payoff file or an okto.go.\n"
        "\n"
        "Exit status: 0 when every subject is paid and the file is written; 1 when a LOG or\n"
        "its payoff file cannot be read, a LOG fails verification (without --force), a run\n"
        "is unfinished (without --partial), or a subject has two logs (nothing is written\n"
        "then), or\n"
        "the file cannot be written; 2 for a usage error or a refused output file.\n")
        .arg(LabLog::builtAttempts());
}

int PayCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("seed"), QStringLiteral("S"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("table"), QStringLiteral("FILE"));
    const QCommandLineOption keptOption(QStringLiteral("include-kept"), QStringLiteral("pay kept logs"));
    const QCommandLineOption partialOption(QStringLiteral("partial"), QStringLiteral("pay unfinished runs"));
    const QCommandLineOption attemptsOption(QStringLiteral("attempts"), QStringLiteral("number of attempts"),
                                            QStringLiteral("N"));
    const QCommandLineOption dataOption = CommandLine::payoffFileOption();
    const QCommandLineOption forceOption = CommandLine::forceOption();
    const QCommandLineOption xlsxOption = CommandLine::xlsxOption();
    parser.addOption(xlsxOption);
    parser.addOption(seedOption);
    parser.addOption(outOption);
    parser.addOption(dataOption);
    parser.addOption(keptOption);
    parser.addOption(forceOption);
    const QCommandLineOption includeDaysOption = CommandLine::includeDaysOption();
    parser.addOption(includeDaysOption);
    parser.addOption(partialOption);
    parser.addOption(attemptsOption);
    QStringList paths;
    if (const auto done = CommandLine::parseLogs(parser, arguments, help(), &paths, &includeDaysOption))
        return *done;
    const QString command = arguments.value(0);
    if (!parser.isSet(seedOption))
        return CommandLine::usageError(command, QStringLiteral("no --seed given"));
    if (!parser.isSet(outOption))
        return CommandLine::usageError(command, QStringLiteral("no --out given"));
    const std::optional<std::uint32_t> seed = PaymentList::seedFrom(parser.value(seedOption));
    if (!seed)
        return CommandLine::usageError(
            command, QStringLiteral("--seed \"%1\" is not a whole number from 0 to 4294967295")
                         .arg(parser.value(seedOption)));
    int attemptsGiven = 0;
    if (const auto wrong = CommandLine::readAttempts(parser, attemptsOption, command, &attemptsGiven))
        return *wrong;
    QStringList outputs{parser.value(outOption)};
    if (parser.isSet(xlsxOption))
        outputs.append(parser.value(xlsxOption));
    if (const auto refused = CommandLine::refuseOutputs(command, outputs, paths, parser.value(dataOption)))
        return *refused;

    PaymentList payments({parser.value(dataOption), attemptsGiven, parser.isSet(partialOption),
                          parser.isSet(keptOption), parser.isSet(forceOption)});
    for (const QString &path : paths)
        CommandLine::tell(command, payments.add(path));
    CommandLine::tell(command, payments.finish());
    if (payments.failed()) {
        CommandLine::err(command + QStringLiteral(": nothing drawn, nothing written\n"));
        return CommandLine::Finding;
    }

    Findings unknown;
    const QList<QStringList> rows = payments.rows(*seed, &unknown);
    if (!unknown.isEmpty()) {
        CommandLine::tell(command, unknown);
        CommandLine::err(command + QStringLiteral(": nothing written\n"));
        return CommandLine::Finding;
    }
    const std::optional<QString> workbook =
        parser.isSet(xlsxOption) ? std::optional(parser.value(xlsxOption)) : std::nullopt;
    const Findings written = PaymentTable::write(rows, parser.value(outOption), workbook);
    if (const std::optional<Finding> failure = PaymentTable::failure(written)) {
        CommandLine::err(command + QStringLiteral(": ") + failure->message + QLatin1Char('\n'));
        return CommandLine::Finding;
    }
    for (const Finding &warning : written)
        CommandLine::err(command + QStringLiteral(": ") + warning.text() + QLatin1Char('\n'));
    CommandLine::out(QStringLiteral("seed %1\n").arg(*seed) + QString::fromUtf8(PaymentTable::csv(rows)));
    return CommandLine::Success;
}
