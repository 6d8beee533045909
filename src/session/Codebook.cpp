#include "session/Codebook.h"

namespace {

// A Markdown table cell: its own bars escaped, its line breaks as blanks.
QString cell(QString text)
{
    return text.replace(QLatin1Char('|'), QStringLiteral("\\|")).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

QString Codebook::intro()
{
    return QStringLiteral(
        "The tables treelab export writes, column by column. Each table is a CSV file of its own (UTF-8, a header "
        "row, LF line ends, fields quoted where they hold a comma, a quote or a line break), named with its option; "
        "a workbook (--xlsx) holds every table as the worksheet of the same name, this codebook as the worksheet "
        "codebook, one row per column, and --codebook FILE.md writes it as Markdown. Types: integer (whole "
        "numbers), number (a decimal point, no grouping), text (exactly as recorded), date-time (ISO 8601 text with "
        "milliseconds and the UTC offset as +hh:mm, +00:00 for UTC and never Z, in a CSV file, a date-time cell in "
        "the workbook); a text column may hold digits (program_version 1.0) and is to be read as text. A column "
        "name has the same type in every table that has it (level is always d1 ... p, never a number). An empty field "
        "is an empty CSV field and an empty cell; Empty when says when that happens, and never that every row holds "
        "a value. Times in ms are milliseconds since "
        "the event log was opened, from the companion record (LOG.jsonl) that the program writes beside each log; "
        "without it they stay empty, never guessed from the classic log's whole seconds.");
}

QString Codebook::markdown()
{
    QString text = QStringLiteral("# Codebook of the exported tables\n\n") + intro() + QStringLiteral("\n");
    for (const ExportTables::Definition &table : ExportTables::all()) {
        text += QStringLiteral("\n## %1 (`%2 FILE.csv`, worksheet `%1`)\n\n%3\n\n").arg(table.name, table.option, table.rows);
        text += QStringLiteral("| Column | Type | Unit | Meaning | How derived | Empty when |\n"
                               "|---|---|---|---|---|---|\n");
        for (const ExportTables::Column &column : table.columns)
            text += QStringLiteral("| `%1` | %2 | %3 | %4 | %5 | %6 |\n")
                        .arg(column.name, ExportTables::typeName(column.type), cell(column.unit),
                             cell(column.meaning), cell(column.derived), cell(column.emptyWhen));
    }
    return text;
}

ExportTables::Definition Codebook::sheet()
{
    using Type = ExportTables::Column::Type;
    const auto text = [](const char *name, const char *meaning) {
        return ExportTables::Column{QString::fromLatin1(name), Type::Text, QString(), QString::fromLatin1(meaning),
                                    QString(), QString()};
    };
    return {QStringLiteral("codebook"), QString(), QString(),
            {text("table", "the table; empty in the first row, which tells of them all"),
             text("column", "the column; empty in a table's first row, which says what one row is"),
             text("type", "integer, number, text or date-time"), text("unit", "ms, s, pounds or levels"),
             text("meaning", "what it means"), text("how_derived", "how it is made, and from what"),
             text("empty_when", "when it is empty")}};
}

QList<QStringList> Codebook::rows()
{
    QList<QStringList> rows{{QString(), QString(), QString(), QString(), intro(), QString(), QString()}};
    for (const ExportTables::Definition &table : ExportTables::all()) {
        rows.append({table.name, QString(), QString(), QString(), table.rows, QString(), QString()});
        for (const ExportTables::Column &column : table.columns)
            rows.append({table.name, column.name, ExportTables::typeName(column.type), column.unit, column.meaning,
                         column.derived, column.emptyWhen});
    }
    return rows;
}
