#pragma once

#include "session/LabLog.h"
#include "session/LogWalk.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The tables treelab export writes (and the room window exports): their names, columns
// with what each means (the codebook), and the rows one log gives to each, in the log's
// order. Rows are handed on as they are made, so a caller that writes them as they come
// holds the rows being written, however long the log.
class ExportTables
{
public:
    struct Column
    {
        enum class Type { Text, Integer, Number, DateTime };
        QString name;
        Type type = Type::Text;
        QString unit;      // "ms", "s", "pounds", "levels" ...; empty for none
        QString meaning;
        QString derived;   // how it is made, and from what
        QString emptyWhen; // "never" when it always holds a value
    };

    struct Definition
    {
        QString name;   // the worksheet's
        QString option; // the command's option for its CSV file, "--events"; empty for none
        QString rows;   // what one row is
        QList<Column> columns;

        QStringList header() const;
        QList<int> numericColumns() const;  // Integer and Number
        QList<int> dateTimeColumns() const; // date-time cells in a workbook, ISO 8601 text in CSV
    };

    // One row per record of the log.
    static Definition events();
    // One row per attempt; the payoffs need LogPayoffs::loadShown first.
    static Definition attempts();
    // One row per node click.
    static Definition inspections();
    // One row per move, the subject's or Nature's.
    static Definition decisions();
    // One row per notepad text stored (from the companion record).
    static Definition notes();
    // One row per log: the run's facts; the payoff table needs LogPayoffs::loadShown.
    static Definition runs();
    // One row per payoff node of each log: the runs' payoff table in long form.
    static Definition payoffs();
    // Every table above and the search measures, in the workbook's order.
    static QList<Definition> all();

    // Takes a table's rows one by one, in order.
    using Rows = std::function<void(const QStringList &row)>;

    // The rows of the log for each table of all(), each to its own of tables in the
    // table's order; a table whose Rows is empty (or missing) is not wanted.
    static void rowsOf(const LabLog &log, const QList<Rows> &tables);

    // walk: the whole log's, for the times; none where the log has no companion record.
    static QList<QStringList> eventRows(const LabLog &log, const LogWalk *walk);
    // Record i's row, of the attempt; dwellMs: of the inspection it opened, -1 none.
    static QStringList eventRow(const LabLog &log, const AttemptSummary &attempt, qsizetype i, qint64 dwellMs);
    static QStringList inspectionRow(const LabLog &log, const LogWalk::Inspection &seen);
    static QList<QStringList> attemptRows(const LabLog &log, const LogWalk *walk);
    static QList<QStringList> inspectionRows(const LabLog &log, const LogWalk &walk);
    static QList<QStringList> decisionRows(const LabLog &log, const LogWalk &walk);
    static QList<QStringList> noteRows(const LabLog &log);
    static QList<QStringList> runRows(const LabLog &log);
    static QList<QStringList> payoffRows(const LabLog &log);

    // "text", "integer", "number", "date-time".
    static QString typeName(Column::Type type);
};
