#pragma once

#include "session/LabLog.h"

#include <QList>
#include <QString>
#include <QStringList>

class LogWalk;

// The tables treelab export writes (and the room window exports): their names, columns
// with what each means (the codebook), and the rows one log gives to each, in the log's
// order. Rows are made per log, so a caller that adds them as it goes holds one log's.
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

    // The rows of the log for each table of all(), in its order; a table not wanted gets none.
    static QList<QList<QStringList>> rowsOf(const LabLog &log, const QList<bool> &wanted);

    // walk: the log's, for the times; none where the log has no companion record.
    static QList<QStringList> eventRows(const LabLog &log, const LogWalk *walk);
    static QList<QStringList> attemptRows(const LabLog &log, const LogWalk *walk);
    static QList<QStringList> inspectionRows(const LabLog &log, const LogWalk &walk);
    static QList<QStringList> decisionRows(const LabLog &log, const LogWalk &walk);
    static QList<QStringList> noteRows(const LabLog &log);
    static QList<QStringList> runRows(const LabLog &log);
    static QList<QStringList> payoffRows(const LabLog &log);

    // "text", "integer", "number", "date-time".
    static QString typeName(Column::Type type);
};
