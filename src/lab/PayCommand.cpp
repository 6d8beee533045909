#include "lab/PayCommand.h"

#include "lab/CommandLine.h"
#include "lab/CsvWriter.h"
#include "lab/LabLog.h"
#include "window/PayoffFile.h"

#include <QDir>

#include <algorithm>
#include <random>

namespace {

// A seed is a decimal whole number 0 to 4294967295, digits only.
std::optional<std::uint32_t> seedFrom(const QString &text)
{
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const qulonglong value = text.toULongLong();
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return std::uint32_t(value);
}

} // namespace

QString PayCommand::help()
{
    return QStringLiteral(
        "Usage: treelab pay LOG... --seed S --out FILE.csv [--data FILE]\n"
        "\n"
        "Chooses at random, for each subject (each event log LOG), the one finished attempt\n"
        "that is paid, and its payoff. The draw is made from the seed S, so announce S before\n"
        "the draw; anyone can repeat it later with the same logs and S and gets the same file.\n"
        "\n"
        "The draw: the logs are put in order of subject number (from the log's header), then\n"
        "of file name, then of the path given, so the order of the arguments does not matter.\n"
        "A std::mt19937 generator seeded with S gives one 32-bit number r per log in that\n"
        "order (also for a log with no finished attempt, so the others keep their draws).\n"
        "The finished attempts of a log are those ended with Continue after reaching their\n"
        "payoff node, n of them in attempt order; the paid one is number r mod n + 1 of them.\n"
        "\n"
        "FILE.csv (UTF-8, a header row, LF line ends) has one row per log in the order of the\n"
        "draw: seed, log, subject, set, finished (n), draw (r), attempt (the attempt number\n"
        "paid), node (its payoff node), payoff_text (the payoff as the subject saw it, \"-£3\")\n"
        "and payoff (as a number). The same table is printed, after a line with the seed.\n"
        "\n"
        "Options:\n"
        "  --seed S      The seed, a whole number 0 to 4294967295.\n"
        "  --out FILE    The table to write.\n"
        "  --data FILE   The payoff file. When not given, the file each log's name names\n"
        "                (o<set><subject><payoff file>) in the log's folder, as treelab status\n"
        "                finds it.\n"
        "  -h, --help    Show this help.\n"
        "\n"
        "Exit status: 0 when every subject has a paid attempt and the file is written; 1 when\n"
        "a LOG or its payoff file cannot be read or a LOG has no finished attempt (nothing is\n"
        "written then), or the file cannot be written; 2 for a usage error.\n");
}

int PayCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("seed"), QStringLiteral("S"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("table"), QStringLiteral("FILE"));
    const QCommandLineOption dataOption = CommandLine::payoffFileOption();
    parser.addOption(seedOption);
    parser.addOption(outOption);
    parser.addOption(dataOption);
    if (const auto done = CommandLine::parse(parser, arguments, help()))
        return *done;
    const QString command = arguments.value(0);
    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty())
        return CommandLine::usageError(command, QStringLiteral("no LOG given"));
    if (!parser.isSet(seedOption))
        return CommandLine::usageError(command, QStringLiteral("no --seed given"));
    if (!parser.isSet(outOption))
        return CommandLine::usageError(command, QStringLiteral("no --out given"));
    const std::optional<std::uint32_t> seed = seedFrom(parser.value(seedOption));
    if (!seed)
        return CommandLine::usageError(
            command, QStringLiteral("--seed \"%1\" is not a whole number from 0 to 4294967295")
                         .arg(parser.value(seedOption)));

    QList<LabLog> logs;
    bool failed = false;
    for (const QString &path : paths) {
        LabLog log;
        QString error;
        if (!LabLog::load(path, &log, &error) || !log.loadPayoffs(parser.value(dataOption), &error)) {
            CommandLine::err(command + QStringLiteral(": ") + error + QLatin1Char('\n'));
            failed = true;
            continue;
        }
        logs.append(log);
    }
    if (failed) {
        CommandLine::err(command + QStringLiteral(": nothing drawn, nothing written\n"));
        return CommandLine::Finding;
    }
    std::stable_sort(logs.begin(), logs.end(), [](const LabLog &a, const LabLog &b) {
        if (a.subject() != b.subject())
            return a.subject() < b.subject();
        if (a.fileName != b.fileName)
            return a.fileName < b.fileName;
        return a.path < b.path;
    });

    const QString seedText = QString::number(*seed);
    CsvWriter table({QStringLiteral("seed"), QStringLiteral("log"), QStringLiteral("subject"),
                     QStringLiteral("set"), QStringLiteral("finished"), QStringLiteral("draw"),
                     QStringLiteral("attempt"), QStringLiteral("node"), QStringLiteral("payoff_text"),
                     QStringLiteral("payoff")});
    std::mt19937 generator(*seed);
    for (const LabLog &log : logs) {
        const std::uint32_t draw = generator();
        QList<const AttemptSummary *> finished;
        for (const AttemptSummary &attempt : log.attempts)
            if (attempt.continued && attempt.finalPayoffNode >= 0)
                finished.append(&attempt);
        if (finished.isEmpty()) {
            CommandLine::err(QStringLiteral("%1: %2: no finished attempt to pay\n").arg(command, log.path));
            failed = true;
            continue;
        }
        const AttemptSummary &paid = *finished[qsizetype(draw % std::uint32_t(finished.size()))];
        const int payoff = *log.payoff(paid.finalPayoffNode);
        table.addRow({seedText, log.fileName, QString::number(log.subject()), QString::number(log.set()),
                      QString::number(finished.size()), QString::number(draw), QString::number(paid.number),
                      QString::number(paid.finalPayoffNode), PayoffFile::displayText(payoff),
                      QString::number(payoff)});
    }
    if (failed) {
        CommandLine::err(command + QStringLiteral(": nothing written\n"));
        return CommandLine::Finding;
    }
    QString error;
    if (!table.save(parser.value(outOption), &error)) {
        CommandLine::err(command + QStringLiteral(": ") + error + QLatin1Char('\n'));
        return CommandLine::Finding;
    }
    CommandLine::out(QStringLiteral("seed %1\n").arg(seedText) + QString::fromUtf8(table.bytes()));
    return CommandLine::Success;
}
