#include "lab/PayCommand.h"

#include "lab/CommandLine.h"
#include "session/CashBreakdown.h"
#include "session/LabLog.h"
#include "session/Money.h"
#include "session/OutputFile.h"
#include "session/PaymentDay.h"
#include "session/PaymentList.h"
#include "session/PaymentReceipts.h"
#include "session/PaymentSchedule.h"
#include "session/PaymentTable.h"
#include "window/logic/PayoffFile.h"

QString PayCommand::help()
{
    return QStringLiteral(
        "Usage: treelab pay LOG... --seed S --out FILE.csv [--xlsx FILE.xlsx] [--data FILE]\n"
        "                  [--show-up-fee AMOUNT] [--schedule FILE.pdf] [--receipts FILE.pdf]\n"
        "                  [--cash [--denominations LIST]]\n"
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
        "attempts, 0 for a run paid with --partial), then show_up_fee, amount and floored.\n"
        "The same table is printed, after a line with the seed, and below it the total.\n"
        "\n"
        "The amount handed over is the show-up fee plus the payoff of the paid attempt, and\n"
        "never below 0: a loss is taken from the fee, and a subject never pays the lab;\n"
        "floored is 1 where a loss larger than the fee was cut off at 0. Amounts have two\n"
        "decimal places in the CSV (5.00), are numbers in the workbook, and are shown with\n"
        "the currency the subjects saw (\"%2\").\n"
        "\n"
        "--schedule writes the schedule of payments for the finance office (A4, one row per\n"
        "subject by workstation with an empty box for the signature, the total and lines\n"
        "for the experimenter); --receipts one receipt per subject, each on its own page,\n"
        "with lines for the subject's name, signature and date. --cash prints the notes and\n"
        "coins of each envelope and of the whole session, the fewest pieces each.\n"
        "\n"
        "A room pays one experiment: where logs of one set were shown different payoffs (a\n"
        "payoff file changed together with its companion record), the set, the payoff nodes,\n"
        "both values and the workstations are named and nothing is paid without --force.\n"
        "\n"
        "Example: with --show-up-fee 5, a subject whose paid attempt shows \"#12\" gets #5.00\n"
        "+ #12.00 = #17.00; one whose paid attempt shows \"-#3\" gets #2.00; one whose paid\n"
        "attempt shows \"-#8\" gets #0.00, floored 1. The session's total is #19.00, and\n"
        "--cash makes #17.00 as 1 x #10, 1 x #5, 1 x #2.\n"
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
        "  --show-up-fee AMOUNT\n"
        "                   The fee each subject gets on top, as 5 or 2.50 (default 0).\n"
        "  --schedule FILE  The schedule of payments to write, as PDF.\n"
        "  --receipts FILE  The receipts to write, as PDF.\n"
        "  --cash           Print each envelope's notes and coins and the session's.\n"
        "  --denominations LIST\n"
        "                   The notes and coins for --cash, as\n"
        "                   %3 (the default).\n"
        "                   Where taking the largest piece first is not the fewest for\n"
        "                   LIST, that is said and the fewest are counted exactly.\n"
        "  --force          Pay from a LOG that fails \"treelab verify\" all the same: each\n"
        "                   line without its place is read as the record it looks like, and\n"
        "                   named on stderr as forced.\n"
        "  -h, --help       Show this help.\n"
        "\n"
        "Each file is written to a temporary file and renamed into place; none is ever\n"
        "written over a LOG, an event log, a companion record, a payoff file, an okto.go, a\n"
        "file of unwritten records or room-log.txt, nor through a link.\n"
        "\n"
        "Exit status: 0 when every subject is paid and the file is written; 1 when a LOG or\n"
        "its payoff file cannot be read, a LOG fails verification (without --force), a run\n"
        "is unfinished (without --partial), or a subject has two logs (nothing is written\n"
        "then), or\n"
        "the file cannot be written; 2 for a usage error or a refused output file.\n")
        .arg(LabLog::builtAttempts())
        .arg(Money::currencyOf(PayoffFile::displayText(0)), CashBreakdown::poundText())
        .replace(QLatin1Char('#'), Money::currencyOf(PayoffFile::displayText(0)));
}

namespace {

// Each envelope's notes and coins, by workstation, and the session's: what to draw.
QString cashText(const PaymentDay &day, const CashBreakdown &cash)
{
    QString text = QStringLiteral("cash, the fewest pieces for each envelope:\n");
    if (!cash.greedyIsFewest())
        text += QStringLiteral("  (for these denominations the largest piece first is not always the fewest: "
                               "counted exactly)\n");
    QList<qint64> session(cash.denominations().size(), 0);
    for (const PaidSubject &paid : day.byWorkstation()) {
        const std::optional<QList<qint64>> pieces = cash.pieces(paid.amount);
        if (!pieces) {
            text += QStringLiteral("  %1 subject %2 %3: cannot be made of these denominations\n")
                        .arg(paid.workstation).arg(paid.subject).arg(day.money(paid.amount));
            continue;
        }
        for (qsizetype k = 0; k < pieces->size(); ++k)
            session[k] += (*pieces)[k];
        text += QStringLiteral("  %1 subject %2 %3: %4\n")
                    .arg(paid.workstation)
                    .arg(paid.subject)
                    .arg(day.money(paid.amount), cash.text(*pieces, day.currency()));
    }
    return text + QStringLiteral("cash for the session, %1: %2\n")
                      .arg(day.money(day.total()), cash.text(session, day.currency()));
}

} // namespace

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
    const QCommandLineOption feeOption(QStringLiteral("show-up-fee"), QStringLiteral("show-up fee"),
                                       QStringLiteral("AMOUNT"));
    const QCommandLineOption scheduleOption(QStringLiteral("schedule"), QStringLiteral("schedule"),
                                            QStringLiteral("FILE"));
    const QCommandLineOption receiptsOption(QStringLiteral("receipts"), QStringLiteral("receipts"),
                                            QStringLiteral("FILE"));
    const QCommandLineOption cashOption(QStringLiteral("cash"), QStringLiteral("cash"));
    const QCommandLineOption denominationsOption(QStringLiteral("denominations"), QStringLiteral("denominations"),
                                                 QStringLiteral("LIST"));
    for (const QCommandLineOption &option : {feeOption, scheduleOption, receiptsOption, cashOption,
                                             denominationsOption})
        parser.addOption(option);
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
    const std::optional<qint64> fee = parser.isSet(feeOption) ? Money::parse(parser.value(feeOption)) : qint64(0);
    if (!fee)
        return CommandLine::usageError(
            command, QStringLiteral("--show-up-fee \"%1\" is not an amount of 0 or more, as 5 or 2.50")
                         .arg(parser.value(feeOption)));
    QString wrongCash;
    const std::optional<CashBreakdown> cash = CashBreakdown::from(
        parser.isSet(denominationsOption) ? parser.value(denominationsOption) : CashBreakdown::poundText(), &wrongCash);
    if (!cash)
        return CommandLine::usageError(command, QStringLiteral("--denominations: ") + wrongCash);
    int attemptsGiven = 0;
    if (const auto wrong = CommandLine::readAttempts(parser, attemptsOption, command, &attemptsGiven))
        return *wrong;
    QStringList outputs{parser.value(outOption)};
    if (parser.isSet(xlsxOption))
        outputs.append(parser.value(xlsxOption));
    for (const QCommandLineOption &option : {scheduleOption, receiptsOption})
        if (parser.isSet(option))
            outputs.append(parser.value(option));
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
    const std::optional<PaymentDay> day = PaymentDay::of(payments, *seed, *fee, &unknown);
    if (!day) {
        CommandLine::tell(command, unknown);
        CommandLine::err(command + QStringLiteral(": nothing written\n"));
        return CommandLine::Finding;
    }
    const std::optional<QString> workbook =
        parser.isSet(xlsxOption) ? std::optional(parser.value(xlsxOption)) : std::nullopt;
    const QList<QStringList> rows = day->rows();
    // Every document made before any is put in place.
    QList<std::pair<QString, QByteArray>> documents;
    if (parser.isSet(scheduleOption))
        documents.append({parser.value(scheduleOption), PaymentSchedule::pdf(*day)});
    if (parser.isSet(receiptsOption))
        documents.append({parser.value(receiptsOption), PaymentReceipts::pdf(*day)});
    const Findings written = PaymentTable::write(rows, parser.value(outOption), workbook);
    if (const std::optional<Finding> failure = PaymentTable::failure(written)) {
        CommandLine::err(command + QStringLiteral(": ") + failure->message + QLatin1Char('\n'));
        return CommandLine::Finding;
    }
    for (const auto &[path, bytes] : std::as_const(documents)) {
        QString why;
        if (!OutputFile::save(path, bytes, &why)) {
            CommandLine::err(QStringLiteral("%1: %2 cannot be written: %3\n").arg(command, path, why));
            return CommandLine::Finding;
        }
    }
    for (const Finding &warning : written)
        CommandLine::err(command + QStringLiteral(": ") + warning.text() + QLatin1Char('\n'));
    CommandLine::out(QStringLiteral("seed %1\n").arg(*seed) + QString::fromUtf8(PaymentTable::csv(rows))
                     + day->totalText() + QLatin1Char('\n'));
    if (parser.isSet(cashOption))
        CommandLine::out(cashText(*day, *cash));
    return CommandLine::Success;
}
