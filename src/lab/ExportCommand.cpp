#include "lab/ExportCommand.h"

#include "lab/CommandLine.h"
#include "session/ExportTables.h"
#include "session/TableExport.h"

#include <QDir>

QString ExportCommand::help()
{
    return QStringLiteral(
        "Usage: treelab export LOG... [--events FILE.csv] [--attempts FILE.csv]\n"
        "                     [--inspections FILE.csv] [--decisions FILE.csv]\n"
        "                     [--notes FILE.csv] [--runs FILE.csv] [--measures FILE.csv]\n"
        "                     [--payoffs FILE.csv] [--codebook FILE.md]\n"
        "                     [--xlsx FILE.xlsx] [--data FILE] [--force]\n"
        "\n"
        "Writes the event logs LOG... as comma-separated tables, UTF-8 with a header row and\n"
        "LF line ends; a field holding a comma, a quote or a line break is quoted, its quotes\n"
        "doubled and its line breaks kept. R (read.csv), pandas (read_csv) and Stata (import\n"
        "delimited, with bindquote(strict) for the notepad texts of several lines) read them.\n"
        "At least one output is needed. Every column of every table is described in the\n"
        "codebook (docs/codebook.md; --codebook FILE.md writes it beside your tables).\n"
        "\n"
        "Which file for whom: the CSV files are for R, pandas and Stata, exact to the byte;\n"
        "they have no byte order mark, so Excel shows \"£\" wrongly when it opens them\n"
        "directly, and it may take a text beginning with \"=\" for a formula. Give people who\n"
        "open tables in Excel or LibreOffice the --xlsx workbook: every table below as the\n"
        "worksheet of its name, and the codebook as the worksheet \"codebook\"; every text a\n"
        "text cell (never a formula), numbers as numbers, times as date-time cells.\n"
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
        "Where the log has a companion record beside it (LOG.jsonl, written by the program),\n"
        "the notepad texts are taken from it exactly as typed, the payoffs are the ones the\n"
        "subject was shown, and the tables gain their times in milliseconds since the log was\n"
        "opened. Without one those columns stay empty: nothing is guessed from the log's whole\n"
        "seconds. A companion that differs from its log fails the log, as verify says.\n"
        "\n"
        "An inspection is a node click: the node is shown from the click until the first of\n"
        "the next node click, CloseNotepad, the decision's confirmation, Nature's move, a\n"
        "message box over the tree, the attempt's Continue, or the program's exit.\n"
        "\n"
        "--events FILE.csv: one row per record, in the logs' order. Columns: log (the path as\n"
        "  given, so that two logs of one subject never mix), subject, set, date (the log\n"
        "  header's), attempt (from 1; the records after the last Continue belong to the\n"
        "  attempt still in play), stamp (seconds since the log was opened), kind (Start, d1\n"
        "  ... p for a click on that level, NotepadContents, CloseNotepad, ConfirmDecision,\n"
        "  NatureMove, FinalPayoffNode, Continue), level (d1 ... p), index (the node\n"
        "  within its level, from 0), direction (L or R for ConfirmDecision and NatureMove),\n"
        "  text (the notepad text of NotepadContents), and from a companion record ms, time\n"
        "  (ISO 8601 with milliseconds and UTC offset) and dwell_ms (for a node click, how\n"
        "  long the node was shown: its inspection's dwell_ms; before this version it was\n"
        "  the time to the next node click).\n"
        "--attempts FILE.csv: one row per attempt. Columns: log, subject, set, attempt; d1,\n"
        "  d2, d3 the subject's decisions and c1, c2, c3 Nature's draws (L or R); node, the\n"
        "  payoff node reached (0 to 63); payoff_text (\"-£3\") and payoff (pounds); seconds\n"
        "  (with a companion from the attempt's start, Start or the NextAttempt press, to its\n"
        "  Continue, in milliseconds over 1000; else the log's whole seconds from the\n"
        "  attempt's first record); inspected, the node clicks; edits, the notepad texts\n"
        "  changed; finished, 1 when the attempt ended with Continue, else 0.\n"
        "--inspections FILE.csv: one row per node click. Columns: subject, log, attempt,\n"
        "  order (from 1 within the attempt), level (d1 ... p), index, stood_on (1: the node\n"
        "  stood on, navigation), levels_ahead, on_path (1: on the path the attempt took),\n"
        "  opened_ms, closed_ms, dwell_ms, closed_by (click, CloseNotepad, ConfirmDecision,\n"
        "  NatureMove, box, Continue or exit), payoff_seen (pounds, payoff nodes),\n"
        "  note_changed (1: the text stored at its close differs from the one before), and\n"
        "  previous (the node inspected before, as c2(3)).\n"
        "--decisions FILE.csv: one row per move, the subject's or Nature's. Columns: subject,\n"
        "  log, attempt, level, index, mover (subject or nature), direction, stood_ms (when\n"
        "  the node became the one stood on), moved_ms, decision_ms (the time between),\n"
        "  inspections, distinct_nodes and deepest_ahead (the clicks in between), note_changed,\n"
        "  and r (Nature's draw).\n"
        "--notes FILE.csv: one row per notepad text stored, from the companion record:\n"
        "  subject, log, set, attempt, ms, time, level, index, text, changed.\n"
        "--runs FILE.csv: one row per log: subject, log, set, date, start, program_version,\n"
        "  seed, attempts, finished, complete, exit, ending (how the run ended), and the\n"
        "  payoff table p0 ... p63.\n"
        "--measures FILE.csv: one row per attempt, keyed as attempts: the search measures.\n"
        "--payoffs FILE.csv: the payoff table of runs in long form, one row per payoff node:\n"
        "  log, node (0 to 63), payoff.\n"
        "A column name has one type in every table (level is always d1 ... p); the codebook\n"
        "gives each column's.\n"
        "\n"
        "Options:\n"
        "  --events FILE       Write the table of records to FILE.\n"
        "  --attempts FILE     Write the table of attempts to FILE.\n"
        "  --inspections FILE  Write the table of inspections to FILE.\n"
        "  --decisions FILE    Write the table of moves to FILE.\n"
        "  --notes FILE        Write the table of notepad texts stored to FILE.\n"
        "  --runs FILE         Write the table of runs to FILE.\n"
        "  --measures FILE     Write the table of search measures to FILE.\n"
        "  --payoffs FILE      Write the payoff tables in long form to FILE.\n"
        "  --codebook FILE     Write the codebook, what every column means, as Markdown.\n"
        "  --xlsx FILE         Write every table and the codebook as the worksheets of the\n"
        "                      workbook FILE.\n"
        "  --data FILE         The payoff file, where a log has no companion record. When\n"
        "                      not given, the file the log's name names (o<set><subject>\n"
        "                      <payoff file>) in the log's folder, as treelab status finds it.\n"
        "  --force             Export a LOG that fails \"treelab verify\" all the same: each\n"
        "                      line without its place is read as the record it looks like,\n"
        "                      and named on stderr as forced.\n"
        "  --include-days      Export the logs last written on other days than the\n"
        "                      session's too.\n"
        "  -h, --help          Show this help.\n"
        "\n"
        "A table is written to a temporary file beside it and renamed into place, so an\n"
        "interrupted export leaves the old table whole. A table is never written over a LOG,\n"
        "the payoff file, an event log, a companion record (LOG.jsonl), a payoff file or an\n"
        "okto.go, and the outputs must name different files. The rows are written as each\n"
        "log is read, so a study of 10,000 logs takes no more memory than one of ten.\n"
        "\n"
        "Exit status: 0 when every table is written; 1 when a LOG cannot be read or fails\n"
        "\"treelab verify\" (without --force), its payoffs cannot be read (for --attempts,\n"
        "--inspections, --runs, --measures, --payoffs and --xlsx), or a table cannot be\n"
        "written; no table is written then; 2 for a usage error or a refused output file,\n"
        "with nothing written.\n");
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
    const QCommandLineOption includeDaysOption = CommandLine::includeDaysOption();
    parser.addOption(includeDaysOption);
    QStringList logs;
    if (const auto done = CommandLine::parseLogs(parser, arguments, help(), &logs, &includeDaysOption))
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

    // Rows are written as each log is read, so memory does not grow with the study; a
    // log that fails leaves every output unwritten.
    TableExport::Options options;
    for (const QCommandLineOption &option : tableOptions)
        options.csvFiles.append(parser.value(option));
    options.workbook = parser.value(xlsxOption);
    options.codebook = parser.value(codebookOption);
    options.dataFile = parser.value(dataOption);
    options.force = parser.isSet(forceOption);
    const TableExport::Result result = TableExport::run(logs, options);
    CommandLine::tell(command, result.findings);
    if (!result.written) {
        CommandLine::err(command + QStringLiteral(": nothing written\n"));
        return CommandLine::Finding;
    }
    return CommandLine::Success;
}
