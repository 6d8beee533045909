#include "lab/ExportCommand.h"

#include "lab/CommandLine.h"
#include "session/Codebook.h"
#include "session/ExportTables.h"
#include "session/OutputFile.h"
#include "session/TableOutputs.h"
#include "session/LabLog.h"

#include <QDir>

QString ExportCommand::help()
{
    return QStringLiteral(
        "Usage: treelab export LOG... [--events FILE.csv] [--attempts FILE.csv]\n"
        "                            [--xlsx FILE.xlsx] [--data FILE] [--force]\n"
        "\n"
        "Writes the event logs LOG... as comma-separated tables, UTF-8 with a header row and\n"
        "LF line ends; a field holding a comma, a quote or a line break is quoted, its quotes\n"
        "doubled and its line breaks kept. R (read.csv), pandas (read_csv) and Stata (import\n"
        "delimited, with bindquote(strict) for the notepad texts of several lines) read them.\n"
        "At least one of --events, --attempts and --xlsx is needed.\n"
        "\n"
        "Which file for whom: the CSV files are for R, pandas and Stata, exact to the byte;\n"
        "they have no byte order mark, so Excel shows \"£\" wrongly when it opens them\n"
        "directly, and it may take a text beginning with \"=\" for a formula. Give people who\n"
        "open tables in Excel or LibreOffice the --xlsx workbook: the same two tables as the\n"
        "worksheets \"events\" and \"attempts\", every text a text cell (never a formula),\n"
        "numbers as numbers.\n"
        "\n"
        "Where the log has a companion record beside it (LOG.jsonl, written by the program),\n"
        "the notepad texts are taken from it exactly as typed, and the events gain ms (the\n"
        "milliseconds since the log was opened), time (the wall-clock time, ISO 8601 with\n"
        "milliseconds and UTC offset) and dwell_ms (for a node click, the milliseconds to the\n"
        "next node click); the payoffs are the ones the subject was shown. A companion that\n"
        "differs from its log fails the log, as verify says.\n"
        "\n"
        "--events FILE.csv: one row per record, in the logs' order. Columns:\n"
        "  log (the path as given, so that two logs of one subject never mix), subject,\n"
        "  set, date (the log header's), attempt (from 1; the records after\n"
        "  the last Continue belong to the attempt still in play), stamp (seconds since the\n"
        "  log was opened), kind (Start, d1 ... p for a click on that level, NotepadContents,\n"
        "  CloseNotepad, ConfirmDecision, NatureMove, FinalPayoffNode, Continue), level\n"
        "  (1 d1 ... 7 p), index (the node within its level, from 0), direction (L or R for\n"
        "  ConfirmDecision and NatureMove), text (the notepad text of NotepadContents), and\n"
        "  from a companion record ms, time and dwell_ms.\n"
        "  Empty where a record has no such field.\n"
        "\n"
        "--attempts FILE.csv: one row per attempt. Columns:\n"
        "  log (the path as given), subject, set, attempt; d1, d2, d3 the subject's\n"
        "  decisions and c1, c2, c3 Nature's draws (L or R; empty where the attempt did not get so far); node, the\n"
        "  payoff node reached (0 to 63); payoff_text, its payoff as the subject saw it\n"
        "  (\"-£3\"), and payoff, as a number of pounds; seconds, from the attempt's first\n"
        "  record to its Continue; inspected, the node clicks of the attempt (repeats\n"
        "  counted); edits, the NotepadContents records of the attempt whose text differs\n"
        "  from the text last recorded for the same node earlier in the log (the notepads\n"
        "  keep their texts from attempt to attempt; before the first record a notepad is\n"
        "  empty); finished, yes when the attempt ended with Continue.\n"
        "\n"
        "Options:\n"
        "  --events FILE     Write the table of records to FILE.\n"
        "  --xlsx FILE       Write both tables as the worksheets of the workbook FILE.\n"
        "  --attempts FILE   Write the table of attempts to FILE.\n"
        "  --data FILE       The payoff file for the payoffs of --attempts. When not given,\n"
        "                    the file the log's name names (o<set><subject><payoff file>) in\n"
        "                    the log's folder, as treelab status finds it.\n"
        "  --force           Export a LOG that fails \"treelab verify\" all the same: each\n"
        "                    line without its place is read as the record it looks like,\n"
        "                    and named on stderr as forced.\n"
        "  -h, --help        Show this help.\n"
        "\n"
        "A table is written to a temporary file beside it and renamed into place, so an\n"
        "interrupted export leaves the old table whole. A table is never written over a LOG,\n"
        "the payoff file, an event log, a companion record (LOG.jsonl), a payoff file or an\n"
        "okto.go, and --events and --attempts must name different files.\n"
        "\n"
        "Exit status: 0 when every table is written; 1 when a LOG cannot be read or fails\n"
        "\"treelab verify\" (without --force), (for --attempts) its payoffs cannot be read,\n"
        "or a table cannot be written; no table is written then; 2 for a usage error or a\n"
        "refused output file, with nothing written.\n");
}

int ExportCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QList<ExportTables::Definition> tables = ExportTables::all();
    QList<QCommandLineOption> tableOptions;
    for (const ExportTables::Definition &table : tables)
        tableOptions.append(QCommandLineOption(table.option.mid(2), table.name + QStringLiteral(" table"),
                                               QStringLiteral("FILE")));
    const QCommandLineOption codebookOption(QStringLiteral("codebook"), QStringLiteral("codebook"), QStringLiteral("FILE"));
    const QCommandLineOption dataOption = CommandLine::payoffFileOption();
    const QCommandLineOption forceOption = CommandLine::forceOption();
    const QCommandLineOption xlsxOption = CommandLine::xlsxOption();
    parser.addOption(xlsxOption);
    for (const QCommandLineOption &option : tableOptions)
        parser.addOption(option);
    parser.addOption(codebookOption);
    parser.addOption(dataOption);
    parser.addOption(forceOption);
    QStringList logs;
    if (const auto done = CommandLine::parseLogs(parser, arguments, help(), &logs))
        return *done;
    const QString command = arguments.value(0);
    QStringList outputs;
    for (const QCommandLineOption &option : tableOptions + QList<QCommandLineOption>{codebookOption, xlsxOption})
        if (parser.isSet(option))
            outputs.append(parser.value(option));
    if (outputs.isEmpty())
        return CommandLine::usageError(
            command, QStringLiteral("give --events FILE, --attempts FILE, --xlsx FILE or more (see --help)"));
    if (const auto refused = CommandLine::refuseOutputs(command, outputs, logs, parser.value(dataOption)))
        return *refused;
    const auto fail = [&](const QString &error) {
        CommandLine::err(command + QStringLiteral(": ") + error + QLatin1Char('\n'));
        return CommandLine::Finding;
    };

    // Rows are written as each log is read, so memory does not grow with the study; a
    // log that fails leaves every output unwritten.
    TableOutputs out;
    QString error;
    const bool book = parser.isSet(xlsxOption);
    if (book && !out.openWorkbook(parser.value(xlsxOption), &error))
        return fail(error);
    QList<bool> wanted;
    QList<int> numbers;
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const ExportTables::Definition &table = tables[t];
        wanted.append(book || parser.isSet(tableOptions[t]));
        numbers.append(!wanted.last() ? -1
                                      : out.addTable(table.name, table.header(), table.numericColumns(),
                                                     table.dateTimeColumns(), parser.value(tableOptions[t]), &error));
        if (wanted.last() && numbers.last() < 0)
            return fail(error);
    }
    if (book) {
        const ExportTables::Definition sheet = Codebook::sheet();
        const int codebook = out.addTable(sheet.name, sheet.header(), {}, {}, QString(), &error);
        for (const QStringList &row : Codebook::rows())
            out.addRow(codebook, row);
    }
    // The payoffs shown need the payoff file where no companion record holds them.
    const bool payoffs = book || wanted[1] || wanted[2] || wanted[5];
    bool failed = false;
    for (const QString &path : logs) {
        LabLog log;
        if (!LabLog::load(path, &log, &error)) {
            fail(error);
            failed = true;
            continue;
        }
        log.judge(parser.value(dataOption), 0);
        const LabLog::Admission admission = log.admit(parser.isSet(forceOption));
        CommandLine::tell(command, admission.findings);
        if (!admission.admitted)
            failed = true;
        if (payoffs && !log.loadShownPayoffs(parser.value(dataOption), &error)) {
            fail(error);
            failed = true;
        }
        if (failed)
            continue; // nothing will be written: only the problems of the rest are told
        const QList<QList<QStringList>> rows = ExportTables::rowsOf(log, wanted);
        for (qsizetype t = 0; t < rows.size(); ++t)
            for (const QStringList &row : rows[t])
                out.addRow(numbers[t], row);
    }
    if (failed) {
        CommandLine::err(command + QStringLiteral(": nothing written\n"));
        return CommandLine::Finding;
    }
    // The codebook first: if it cannot be written, no table is put in place either.
    if (parser.isSet(codebookOption)
        && !OutputFile::save(parser.value(codebookOption), Codebook::markdown().toUtf8(), &error))
        return fail(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(parser.value(codebookOption)), error));
    QString warning;
    if (!out.commit(&error, &warning))
        return fail(error);
    if (!warning.isEmpty())
        CommandLine::err(command + QStringLiteral(": warning: ") + warning + QLatin1Char('\n'));
    return CommandLine::Success;
}
