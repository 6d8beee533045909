#include "session/ExportTables.h"

#include "session/AttemptFacts.h"
#include "session/LogWalk.h"
#include "session/NotepadEdits.h"
#include "session/SearchMeasures.h"
#include "window/logic/PayoffFile.h"

#include <QHash>

#include <cstdlib>

#include <optional>

namespace {

using Column = ExportTables::Column;
using Type = ExportTables::Column::Type;

const QString Never = QStringLiteral("never");
const QString NoCompanion = QStringLiteral("the log has no companion record (or one set aside because it differs)");

QString number(qint64 value, qint64 none)
{
    return value == none ? QString() : QString::number(value);
}

QString flag(int value)
{
    return value < 0 ? QString() : QString::number(value);
}

QString directionText(LogRecord::Direction direction)
{
    switch (direction) {
    case LogRecord::Direction::Left: return QStringLiteral("L");
    case LogRecord::Direction::Right: return QStringLiteral("R");
    case LogRecord::Direction::None: break;
    }
    return QString();
}

// ISO 8601 with milliseconds and the UTC offset always as +hh:mm, +00:00 included: Qt
// writes Z for UTC, which R's %z does not read.
QString isoTime(const QDateTime &time)
{
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"))
        + QStringLiteral("%1%2:%3")
              .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
              .arg(minutes / 60, 2, 10, QLatin1Char('0'))
              .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// The wall-clock time of a companion's ms.
QString timeAt(const LabLog &log, qint64 ms)
{
    return log.companion && log.companion->start.isValid() && ms >= 0 ? isoTime(log.companion->start.addMSecs(ms))
                                                                       : QString();
}

// The shortest decimal text that reads back to the same single-precision value, as the
// companion writes Nature's draws.
QString floatText(float value)
{
    for (int digits = 1; digits < 9; ++digits) {
        const QString text = QString::number(double(value), 'g', digits);
        if (text.toFloat() == value)
            return text;
    }
    return QString::number(double(value), 'g', 9);
}

const QString EditDefinition = QStringLiteral(
    "an edit is a store of a node's notepad text that differs from the text stored for that node before it; a node's "
    "first store is compared with no text, so it is an edit unless its notepad was left blank; the stores are the "
    "companion's note lines, and without a companion "
    "the log's NotepadContents records, each counted in the attempt in which its node was last clicked (the text "
    "of an attempt's last node reaches the classic log with the next attempt's first click, and never after the "
    "last attempt)");

Column logColumn()
{
    return {QStringLiteral("log"), Type::Text, QString(), QStringLiteral("the event log, by the path given to treelab"),
            QStringLiteral("the LOG argument (or the folder's path joined with the log's name), so that two logs of one subject never mix"),
            Never};
}

Column subjectColumn()
{
    return {QStringLiteral("subject"), Type::Integer, QString(), QStringLiteral("the subject number"),
            QStringLiteral("the log's header line"), Never};
}

Column setColumn()
{
    return {QStringLiteral("set"), Type::Integer, QString(), QStringLiteral("the parameter set (the payoffs played for)"),
            QStringLiteral("the log's header line"), Never};
}

Column attemptColumn()
{
    return {QStringLiteral("attempt"), Type::Integer, QString(), QStringLiteral("the attempt, from 1"),
            QStringLiteral("counted by the Continue records: the records after the last Continue belong to the attempt still in play"),
            Never};
}

// level is the level's name in every table, d1 ... p, as the tree and the kinds of
// record name it.
Column levelName(const QString &meaning, const QString &derived = QStringLiteral("the record's level code 1 to 7"),
                 const QString &emptyWhen = Never)
{
    return {QStringLiteral("level"), Type::Text, QString(), meaning + QStringLiteral(": d1, c1, d2, c2, d3, c3 or p"),
            derived, emptyWhen};
}

Column indexColumn(const QString &emptyWhen)
{
    return {QStringLiteral("index"), Type::Integer, QString(),
            QStringLiteral("the node within its level, from 0 at the left (the subject saw node numbers from 1)"),
            QStringLiteral("the record"), emptyWhen};
}

Column eventLevel()
{
    Column level = levelName(QStringLiteral("the node's level"),
                             QStringLiteral("the record's level code 1 to 7; for NotepadContents the node whose text it is"),
                             QStringLiteral("Start and Continue"));
    level.meaning += QStringLiteral(
        ", text as in every table. Until this version it was the level code 1 to 7 here alone; a script that used the "
        "code gets it back as the place of level in that list (in R match(level, c(\"d1\", \"c1\", \"d2\", "
        "\"c2\", \"d3\", \"c3\", \"p\")))");
    return level;
}

// Where a run's payoff table comes from, for its wide and its long form.
const QString PayoffSource = QStringLiteral("the companion's run line, else the payoff file");
const QString NoPayoffs = QStringLiteral("neither is at hand");

} // namespace

QStringList ExportTables::Definition::header() const
{
    QStringList names;
    for (const Column &column : columns)
        names.append(column.name);
    return names;
}

QList<int> ExportTables::Definition::numericColumns() const
{
    QList<int> numeric;
    for (qsizetype c = 0; c < columns.size(); ++c)
        if (columns[c].type == Type::Integer || columns[c].type == Type::Number)
            numeric.append(int(c));
    return numeric;
}

QList<int> ExportTables::Definition::dateTimeColumns() const
{
    QList<int> times;
    for (qsizetype c = 0; c < columns.size(); ++c)
        if (columns[c].type == Type::DateTime)
            times.append(int(c));
    return times;
}

QString ExportTables::typeName(Column::Type type)
{
    switch (type) {
    case Type::Text: return QStringLiteral("text");
    case Type::Integer: return QStringLiteral("integer");
    case Type::Number: return QStringLiteral("number");
    case Type::DateTime: return QStringLiteral("date-time");
    }
    return QString();
}

ExportTables::Definition ExportTables::events()
{
    return {QStringLiteral("events"), QStringLiteral("--events"),
            QStringLiteral("One row per record of the classic event log, in the log's order."),
            {logColumn(), subjectColumn(), setColumn(),
             {QStringLiteral("date"), Type::Text, QString(),
              QStringLiteral("the day the log was opened, in the workstation's short date as written (3/4/09)"),
              QStringLiteral("the log's header line"), Never},
             attemptColumn(),
             {QStringLiteral("stamp"), Type::Integer, QStringLiteral("s"),
              QStringLiteral("the record's time stamp: whole seconds since the log was opened"),
              QStringLiteral("the record"), Never},
             {QStringLiteral("kind"), Type::Text, QString(),
              QStringLiteral("Start; d1, c1, d2, c2, d3, c3 or p for a click on a node of that level; NotepadContents, "
                             "CloseNotepad, ConfirmDecision, NatureMove, FinalPayoffNode or Continue"),
              QStringLiteral("the record's tag"), Never},
             eventLevel(),
             indexColumn(QStringLiteral("Start and Continue")),
             {QStringLiteral("direction"), Type::Text, QString(), QStringLiteral("L or R: the move made"),
              QStringLiteral("the record"), QStringLiteral("kinds other than ConfirmDecision and NatureMove")},
             {QStringLiteral("text"), Type::Text, QString(), QStringLiteral("the notepad's text, line breaks kept"),
              QStringLiteral("the companion record's text exactly as typed where there is one, else the log's "
                             "(Windows-1252, ? for what that code page lacks)"),
              QStringLiteral("kinds other than NotepadContents, or an empty notepad")},
             {QStringLiteral("ms"), Type::Integer, QStringLiteral("ms"),
              QStringLiteral("milliseconds since the log was opened, from a clock that never jumps"),
              QStringLiteral("the companion record's line for this record"), NoCompanion},
             {QStringLiteral("time"), Type::DateTime, QString(),
              QStringLiteral("the wall-clock time of the record: ISO 8601 with milliseconds and the UTC offset in the "
                             "CSV file, a date-time cell (the workstation's local time) in the workbook"),
              QStringLiteral("the companion's start time plus ms"), NoCompanion},
             {QStringLiteral("dwell_ms"), Type::Integer, QStringLiteral("ms"),
              QStringLiteral("for a node click, how long the node stayed on the screen: the dwell_ms of its "
                             "inspection (see inspections). Until this version it was the time to the next node "
                             "click, which ran on past the move, the box or the attempt's end"),
              QStringLiteral("closed_ms less opened_ms of the inspection"),
              QStringLiteral("kinds other than node clicks; ") + NoCompanion
                  + QStringLiteral("; the log ends with the node on screen and nothing tells when it left")}}};
}

ExportTables::Definition ExportTables::attempts()
{
    QList<Column> columns{logColumn(), subjectColumn(), setColumn(), attemptColumn()};
    for (int level = 1; level <= 6; ++level) {
        const bool decision = level % 2 == 1;
        columns.append({LogReader::levelName(level), Type::Text, QString(),
                        decision ? QStringLiteral("the subject's decision at %1: L or R").arg(LogReader::levelName(level))
                                 : QStringLiteral("Nature's draw at %1: L or R").arg(LogReader::levelName(level)),
                        decision ? QStringLiteral("the attempt's ConfirmDecision record") : QStringLiteral("the attempt's NatureMove record"),
                        QStringLiteral("the attempt did not get so far")});
    }
    columns += {
        {QStringLiteral("node"), Type::Integer, QString(), QStringLiteral("the payoff node reached, 0 to 63"),
         QStringLiteral("the FinalPayoffNode record"), QStringLiteral("the attempt did not reach one")},
        {QStringLiteral("payoff_text"), Type::Text, QString(), QStringLiteral("its payoff as the subject saw it (\"-£3\")"),
         QStringLiteral("the companion's payoff line, else the payoff file"), QStringLiteral("no payoff node reached")},
        {QStringLiteral("payoff"), Type::Integer, QStringLiteral("pounds"), QStringLiteral("the same payoff as a number; a loss is negative"),
         QStringLiteral("as payoff_text"), QStringLiteral("no payoff node reached")},
        {QStringLiteral("seconds"), Type::Number, QStringLiteral("s"), QStringLiteral("how long the attempt took"),
         QStringLiteral("from the anchor named in seconds_from to the Continue record: with a companion record its "
                        "milliseconds divided by 1000 with three decimals, for every attempt; only a log without a "
                        "companion record gives whole seconds, the Continue record's stamp less the anchor's"),
         QStringLiteral("the attempt was not ended by Continue, or the companion record lacks the anchor's or "
                        "Continue's line")},
        {QStringLiteral("inspected"), Type::Integer, QString(), QStringLiteral("the node clicks of the attempt, repeats counted"),
         QStringLiteral("the click records d1 ... p"), Never},
        {QStringLiteral("edits"), Type::Integer, QString(),
         QStringLiteral("the notepad edits made in the attempt (the rows of notes with changed 1, where there are notes)"),
         EditDefinition, Never},
        {QStringLiteral("finished"), Type::Integer, QString(),
         QStringLiteral("1 when the attempt ended with Continue, else 0, a number as every flag of the tables. "
                        "Until this version yes or no: a script that picks finished == \"yes\" now picks no row, and wants "
                        "finished == 1"),
         QStringLiteral("the Continue record"), Never},
        {QStringLiteral("seconds_from"), Type::Text, QString(),
         QStringLiteral("what seconds counts from: Start, NextAttempt or first click (milliseconds of the companion "
                        "record), or Start stamp or first click stamp (whole seconds of the classic log)"),
         QStringLiteral("with a companion record, the Start record for the first attempt, the NextAttempt press for a "
                        "later one, and in a record written before presses were (no press lines) the attempt's first "
                        "node click; the classic log's stamps only for a log without a companion record"),
         QStringLiteral("seconds is empty")}};
    return {QStringLiteral("attempts"), QStringLiteral("--attempts"), QStringLiteral("One row per attempt of each log."),
            columns};
}

ExportTables::Definition ExportTables::inspections()
{
    const QString times = NoCompanion;
    return {QStringLiteral("inspections"), QStringLiteral("--inspections"),
            QStringLiteral("One row per node click, in order: the node shown from the click until the screen stops "
                           "showing it, at the first of the next node click, CloseNotepad, the decision's "
                           "confirmation, Nature's move, a message box, the attempt's Continue, or the program's exit "
                           "in a run that stopped in the middle of an attempt."),
            {subjectColumn(), logColumn(), attemptColumn(),
             {QStringLiteral("order"), Type::Integer, QString(), QStringLiteral("the click's place in the attempt, from 1"),
              QStringLiteral("the click records counted"), Never},
             levelName(QStringLiteral("the node's level")), indexColumn(Never),
             {QStringLiteral("stood_on"), Type::Integer, QString(),
              QStringLiteral("1 when the node is the one the subject stands on (navigation: the click that offers the "
                             "move), else 0 (look-ahead)"),
              QStringLiteral("the moves made before the click"), Never},
             {QStringLiteral("levels_ahead"), Type::Integer, QStringLiteral("levels"),
              QStringLiteral("how many levels above the node stood on the node lies (0 for that node, 6 for a payoff "
                             "node seen from d1)"),
              QStringLiteral("the node's level code less the level code stood on"), Never},
             {QStringLiteral("on_path"), Type::Integer, QString(),
              QStringLiteral("1 when the node lies on the path the attempt finally took, else 0"),
              QStringLiteral("the attempt's moves"), QStringLiteral("the attempt ended below the node's level")},
             {QStringLiteral("opened_ms"), Type::Integer, QStringLiteral("ms"),
              QStringLiteral("when the node was clicked, in milliseconds since the log was opened"),
              QStringLiteral("the companion record's line for the click"), times},
             {QStringLiteral("closed_ms"), Type::Integer, QStringLiteral("ms"),
              QStringLiteral("when the screen stopped showing it"),
              QStringLiteral("the ms of the event in closed_by; for a box, when the box appeared (its shownMs)"),
              times + QStringLiteral("; closed_by is empty")},
             {QStringLiteral("dwell_ms"), Type::Integer, QStringLiteral("ms"), QStringLiteral("how long it was shown"),
              QStringLiteral("closed_ms less opened_ms"), QStringLiteral("closed_ms or opened_ms is empty")},
             {QStringLiteral("closed_by"), Type::Text, QString(),
              QStringLiteral("what ended it: click (the next node click), CloseNotepad, ConfirmDecision, NatureMove, box "
                             "(a message box appeared over the tree), Continue, or exit (the program stopped)"),
              QStringLiteral("the first such event after the click; boxes and the exit are seen in the companion record "
                             "only, so without one the record that followed is named"),
              QStringLiteral("the log ends with the node on screen and nothing tells when it left")},
             {QStringLiteral("payoff_seen"), Type::Integer, QStringLiteral("pounds"),
              QStringLiteral("for a payoff node, the payoff the click showed"),
              QStringLiteral("the companion's payoff table, else the payoff file"),
              QStringLiteral("decision and chance nodes")},
             {QStringLiteral("note_changed"), Type::Integer, QString(),
              QStringLiteral("1 when the notepad text stored at its close is an edit (as edits in attempts), else 0"),
              QStringLiteral("the companion's note lines; without them the log's NotepadContents records, which hold the "
                             "text each time the node is left"),
              QStringLiteral("payoff nodes (no notepad); the text at the close is not known (a move in the last attempt "
                             "without a companion record)")},
             {QStringLiteral("previous"), Type::Text, QString(),
              QStringLiteral("the node inspected before within the attempt, as level(index): c2(3)"),
              QStringLiteral("the click before it"), QStringLiteral("the attempt's first click")},
             {QStringLiteral("burst"), Type::Integer, QString(),
              QStringLiteral("1 when the node is the one inspected just before and this click came less than %1 ms "
                             "after that one opened (a run of re-clicks that draw shows as one), else 0")
                  .arg(LogWalk::BurstMs),
              QStringLiteral("opened_ms of this click and of the one before"), times},
             {QStringLiteral("transition"), Type::Text, QString(),
              QStringLiteral("the step from the node inspected before: repeat (the same node), to the node stood on, "
                             "from the node stood on, child (of the node before), parent, sibling (the same parent), "
                             "same level, or other; the first that applies, in this order"),
              QStringLiteral("the two nodes and the node stood on"), QStringLiteral("the attempt's first click")},
             {QStringLiteral("stood_level"), Type::Text, QString(),
              QStringLiteral("the level of the node stood on at the click: d1, c1, d2, c2, d3, c3 or p"),
              QStringLiteral("the moves made before the click"), Never},
             {QStringLiteral("stood_index"), Type::Integer, QString(),
              QStringLiteral("the index of the node stood on at the click, from 0 at the left"),
              QStringLiteral("the moves made before the click"), Never}}};
}

ExportTables::Definition ExportTables::decisions()
{
    const QString times = NoCompanion;
    return {QStringLiteral("decisions"), QStringLiteral("--decisions"),
            QStringLiteral("One row per move, the subject's decision (ConfirmDecision) or Nature's draw (NatureMove), "
                           "with the looking that led to it."),
            {subjectColumn(), logColumn(), attemptColumn(),
             levelName(QStringLiteral("the node moved from")), indexColumn(Never),
             {QStringLiteral("mover"), Type::Text, QString(), QStringLiteral("subject or nature"),
              QStringLiteral("the level: d levels are the subject's, c levels Nature's"), Never},
             {QStringLiteral("direction"), Type::Text, QString(), QStringLiteral("L or R"), QStringLiteral("the record"), Never},
             {QStringLiteral("stood_ms"), Type::Integer, QStringLiteral("ms"),
              QStringLiteral("when the node became the one stood on"),
              QStringLiteral("the anchor named in stood_from: for d1 the attempt's start (as seconds_from in "
                             "attempts); for a chance node the decision that reached it; for d2 and d3 the answer of "
                             "Nature's box"),
              times + QStringLiteral("; d2 and d3 in a record without box lines (written before boxes were), "
                                     "which does not tell when the subject came to stand there")},
             {QStringLiteral("moved_ms"), Type::Integer, QStringLiteral("ms"), QStringLiteral("when the move was made"),
              QStringLiteral("the companion record's line for the move"), times},
             {QStringLiteral("decision_ms"), Type::Integer, QStringLiteral("ms"), QStringLiteral("the time between"),
              QStringLiteral("moved_ms less stood_ms"), QStringLiteral("either is empty")},
             {QStringLiteral("inspections"), Type::Integer, QString(),
              QStringLiteral("the node clicks since the node was stood on, up to the move, the node's own included"),
              QStringLiteral("the click records in between"), Never},
             {QStringLiteral("distinct_nodes"), Type::Integer, QString(), QStringLiteral("how many different nodes those were"),
              QStringLiteral("as inspections"), Never},
             {QStringLiteral("deepest_ahead"), Type::Integer, QStringLiteral("levels"),
              QStringLiteral("the most levels ahead among them (see levels_ahead in inspections)"),
              QStringLiteral("as inspections"), QStringLiteral("no clicks in between")},
             {QStringLiteral("note_changed"), Type::Integer, QString(),
              QStringLiteral("1 when the node's notepad text stored at the move differs from its text stored before "
                             "it was stood on, else 0"),
              QStringLiteral("as note_changed in inspections"),
              QStringLiteral("the text at the move is not known (the last attempt without a companion record)")},
             {QStringLiteral("r"), Type::Number, QString(),
              QStringLiteral("Nature's draw, uniform on [0, 1): L when r <= 0.5"),
              QStringLiteral("the companion's draw line, in the shortest form that reads back to the same "
                             "single-precision value"),
              QStringLiteral("the subject's moves; ") + times},
             {QStringLiteral("stood_from"), Type::Text, QString(),
              QStringLiteral("what stood_ms is taken from: Start, NextAttempt, first click (d1, as seconds_from in "
                             "attempts), ConfirmDecision (a chance node) or box (d2, d3)"),
              QStringLiteral("the companion record's lines"), QStringLiteral("stood_ms is empty")}}};
}

ExportTables::Definition ExportTables::notes()
{
    return {QStringLiteral("notes"), QStringLiteral("--notes"),
            QStringLiteral("One row per notepad text stored (when the subject leaves a node, closes the notepad or "
                           "moves on), from the companion record's note lines, including the stores the classic log "
                           "never shows. A log without a companion record gives no rows: its texts are in events "
                           "(NotepadContents)."),
            {subjectColumn(), logColumn(), setColumn(), attemptColumn(),
             {QStringLiteral("ms"), Type::Integer, QStringLiteral("ms"), QStringLiteral("when the text was stored"),
              QStringLiteral("the note line"), Never},
             {QStringLiteral("time"), Type::DateTime, QString(), QStringLiteral("the same as wall-clock time, as time in events"),
              QStringLiteral("the companion's start time plus ms"), QStringLiteral("the companion's start time cannot be read")},
             levelName(QStringLiteral("the node's level")), indexColumn(Never),
             {QStringLiteral("text"), Type::Text, QString(), QStringLiteral("the text stored, exactly as typed, line breaks kept"),
              QStringLiteral("the note line"), QStringLiteral("an empty notepad")},
             {QStringLiteral("changed"), Type::Integer, QString(),
              QStringLiteral("1 when the store is an edit, else 0"), EditDefinition, Never}}};
}

ExportTables::Definition ExportTables::runs()
{
    QList<Column> columns{
        subjectColumn(), logColumn(), setColumn(),
        {QStringLiteral("date"), Type::Text, QString(), QStringLiteral("the day the log was opened, as written in its header"),
         QStringLiteral("the log's header line"), Never},
        {QStringLiteral("start"), Type::DateTime, QString(),
         QStringLiteral("when the log was opened: ISO 8601 with milliseconds and the UTC offset in the CSV file, a "
                        "date-time cell in the workbook"),
         QStringLiteral("the companion's run line"), NoCompanion},
        {QStringLiteral("program_version"), Type::Text, QString(),
         QStringLiteral("the version of the program that ran, as the program names itself (1.0). Read it as text "
                        "(colClasses = c(program_version = \"character\") in R, dtype={\"program_version\": str} in "
                        "pandas): read as a number 1.0 becomes 1 and 1.10 becomes 1.1"),
         QStringLiteral("the companion's run line"), NoCompanion},
        {QStringLiteral("seed"), Type::Integer, QString(), QStringLiteral("the seed of Nature's random draws"),
         QStringLiteral("the companion's run line"), NoCompanion},
        {QStringLiteral("attempts"), Type::Integer, QString(), QStringLiteral("the number of attempts the run had"),
         QStringLiteral("the companion's run line, else the number the program was built with"), Never},
        {QStringLiteral("finished"), Type::Integer, QString(),
         QStringLiteral("the attempts played to their payoff node and ended by Continue"),
         QStringLiteral("the log's records"), Never},
        {QStringLiteral("complete"), Type::Integer, QString(), QStringLiteral("1 when every attempt of the run finished, else 0"),
         QStringLiteral("finished against attempts"), Never},
        {QStringLiteral("exit"), Type::Text, QString(),
         QStringLiteral("how the program stopped: goAhead99 (99 in okto.go), windowClosed, SIGTERM, SIGHUP or SIGINT; "
                        "none when the record has no exit line (killed, crashed, power lost, or still running)"),
         QStringLiteral("the companion's exit line"), NoCompanion},
        {QStringLiteral("ending"), Type::Text, QString(),
         QStringLiteral("how the run ended, for people, as treelab verify says it (\"all 4 attempts finished; closed by "
                        "99 in okto.go\")"),
         QStringLiteral("finished, attempts and exit"), Never}};
    for (int j = 0; j < PayoffFile::PayoffCount; ++j)
        columns.append({QStringLiteral("p%1").arg(j), Type::Integer, QStringLiteral("pounds"),
                        QStringLiteral("the payoff of payoff node %1 in the run's payoff table").arg(j),
                        PayoffSource, NoPayoffs});
    return {QStringLiteral("runs"), QStringLiteral("--runs"),
            QStringLiteral("One row per log: the run's facts and its payoff table (columns p0 to p63, one per payoff "
                           "node)."),
            columns};
}

QList<ExportTables::Definition> ExportTables::all()
{
    return {events(), attempts(), inspections(), decisions(), notes(), runs(), SearchMeasures::definition(), payoffs()};
}

void ExportTables::rowsOf(const LabLog &log, const QList<Rows> &tables)
{
    const auto want = [&](int table) { return table < tables.size() && bool(tables[table]); };
    const auto add = [&](int table, const QList<QStringList> &rows) {
        for (const QStringList &row : rows)
            tables[table](row);
    };
    // The walk gives events and attempts nothing but times, which need the companion. It
    // goes an attempt at a time and keeps no inspection it has handed on: a log of any
    // length costs the rows being written.
    std::optional<LogWalk> walk;
    if (want(2) || want(3) || want(6) || (log.companion && (want(0) || want(1))))
        walk.emplace(log, LogWalk::Scope::ByAttempt);
    for (qsizetype a = 0; a < log.attempts.size(); ++a) {
        const AttemptSummary &attempt = log.attempts[a];
        qsizetype next = attempt.firstRecord; // its first record whose event is not yet written
        SearchMeasures::Tally tally;
        if (walk) {
            walk->walkAttempt(a, [&](const LogWalk::Inspection &seen) {
                for (; want(0) && next <= seen.record; ++next)
                    tables[0](eventRow(log, attempt, next, next == seen.record ? seen.dwellMs() : -1));
                if (want(2))
                    tables[2](inspectionRow(log, seen));
                if (want(6))
                    tally.take(seen);
            });
        }
        for (; want(0) && next <= attempt.lastRecord; ++next)
            tables[0](eventRow(log, attempt, next, -1));
        if (want(6))
            tables[6](tally.row(log, attempt, walk->moves()));
    }
    if (want(1))
        add(1, attemptRows(log, walk ? &*walk : nullptr));
    if (want(3))
        add(3, decisionRows(log, *walk));
    if (want(4))
        add(4, noteRows(log));
    if (want(5))
        add(5, runRows(log));
    if (want(7))
        add(7, payoffRows(log));
}

QList<QStringList> ExportTables::eventRows(const LabLog &log, const LogWalk *walk)
{
    QHash<qsizetype, qint64> dwell;
    for (qsizetype k = 0; walk && k < walk->inspections().size(); ++k)
        dwell.insert(walk->inspections()[k].record, walk->inspections()[k].dwellMs());
    QList<QStringList> rows;
    for (const AttemptSummary &attempt : log.attempts)
        for (qsizetype i = attempt.firstRecord; i <= attempt.lastRecord; ++i)
            rows.append(eventRow(log, attempt, i, dwell.value(i, -1)));
    return rows;
}

QStringList ExportTables::eventRow(const LabLog &log, const AttemptSummary &attempt, qsizetype i, qint64 dwellMs)
{
    const LogHeader &header = *log.parsed.header;
    const LogRecord &record = log.parsed.records[i];
    const CompanionRecord *exact = log.companionRecord(i);
    return {log.path, QString::number(header.subjectNo),
            QString::number(header.paramSetNo), header.dateText,
            QString::number(attempt.number), QString::number(record.stamp),
            record.kindName(), LogReader::levelName(record.level), number(record.index, -1),
            directionText(record.direction),
            exact && record.kind == LogRecord::Kind::NotepadContents ? exact->text : record.text,
            exact ? QString::number(exact->ms) : QString(), exact ? timeAt(log, exact->ms) : QString(),
            number(dwellMs, -1)};
}

QList<QStringList> ExportTables::attemptRows(const LabLog &log, const LogWalk *walk)
{
    QList<QStringList> rows;
    const QList<AttemptFacts> facts = AttemptFacts::of(log.parsed.records, log.attempts);
    const NotepadEdits edits(log);
    for (qsizetype k = 0; k < facts.size(); ++k) {
        const AttemptFacts &attempt = facts[k];
        QStringList row{log.path, QString::number(log.subject()), QString::number(log.set()),
                        QString::number(attempt.number)};
        for (int level = 1; level <= 6; ++level) {
            const char move = attempt.move[std::size_t(level)];
            row.append(move ? QString(QLatin1Char(move)) : QString());
        }
        const std::optional<LabLog::Shown> shown = log.shownPayoff(log.attempts[k]);
        row.append(number(attempt.finalPayoffNode, -1));
        row.append(shown ? shown->text : QString());
        row.append(shown ? QString::number(shown->payoff) : QString());
        // One basis per log: the companion's milliseconds wherever there is a companion.
        QString seconds, from;
        if (log.companion) {
            const qint64 ms = walk && attempt.continued ? walk->attemptMs(attempt.number) : -1;
            if (ms >= 0) {
                seconds = QString::number(double(ms) / 1000, 'f', 3);
                from = walk->attemptFrom(attempt.number);
            }
        } else if (attempt.seconds >= 0) {
            seconds = QString::number(attempt.seconds);
            const qsizetype first = log.attempts[k].firstRecord;
            from = first < log.parsed.records.size() && log.parsed.records[first].kind == LogRecord::Kind::Start
                ? QStringLiteral("Start stamp")
                : QStringLiteral("first click stamp");
        }
        row.append(seconds);
        row.append(QString::number(attempt.inspected));
        row.append(QString::number(edits.inAttempt(attempt.number)));
        row.append(flag(int(attempt.continued)));
        row.append(from);
        rows.append(row);
    }
    return rows;
}

QList<QStringList> ExportTables::inspectionRows(const LabLog &log, const LogWalk &walk)
{
    QList<QStringList> rows;
    for (const LogWalk::Inspection &seen : walk.inspections())
        rows.append(inspectionRow(log, seen));
    return rows;
}

QStringList ExportTables::inspectionRow(const LabLog &log, const LogWalk::Inspection &seen)
{
    const std::optional<int> payoff = seen.level == 7 ? log.payoffAt(seen.index) : std::nullopt;
    return {QString::number(log.subject()), log.path, QString::number(seen.attempt), QString::number(seen.order),
            LogReader::levelName(seen.level), QString::number(seen.index), flag(int(seen.stoodOn)),
            QString::number(seen.levelsAhead), flag(seen.onPath), number(seen.openedMs, -1),
            number(seen.closedMs, -1), number(seen.dwellMs(), -1), seen.closedBy,
            payoff ? QString::number(*payoff) : QString(), flag(seen.noteChanged), seen.previous,
            flag(seen.burst), seen.transition, LogReader::levelName(seen.stoodLevel),
            QString::number(seen.stoodIndex)};
}

QList<QStringList> ExportTables::decisionRows(const LabLog &log, const LogWalk &walk)
{
    QList<QStringList> rows;
    const QString subject = QString::number(log.subject());
    for (const LogWalk::Move &move : walk.moves()) {
        const bool decision = move.level % 2 == 1;
        rows.append({subject, log.path, QString::number(move.attempt), LogReader::levelName(move.level),
                     QString::number(move.index), decision ? QStringLiteral("subject") : QStringLiteral("nature"),
                     QString(QLatin1Char(move.direction)), number(move.stoodMs, -1), number(move.movedMs, -1),
                     number(move.decisionMs(), -1), QString::number(move.inspections),
                     QString::number(move.distinctNodes), number(move.deepestAhead, -1), flag(move.noteChanged),
                     move.r ? floatText(*move.r) : QString(), move.stoodMs >= 0 ? move.stoodFrom : QString()});
    }
    return rows;
}

QList<QStringList> ExportTables::noteRows(const LabLog &log)
{
    QList<QStringList> rows;
    if (!log.companion)
        return rows;
    const NotepadEdits edits(log);
    for (qsizetype n = 0; n < log.companion->notes.size(); ++n) {
        const CompanionNote &note = log.companion->notes[n];
        const bool changed = edits.noteIsEdit()[n];
        rows.append({QString::number(log.subject()), log.path, QString::number(log.set()),
                     QString::number(note.attempt), QString::number(note.ms), timeAt(log, note.ms),
                     LogReader::levelName(note.level), QString::number(note.index), note.text,
                     flag(int(changed))});
    }
    return rows;
}

QList<QStringList> ExportTables::runRows(const LabLog &log)
{
    const std::optional<Companion> &c = log.companion;
    QString exit;
    if (c)
        exit = c->exitHow.isEmpty() ? QStringLiteral("none")
            : c->exitHow == QLatin1String("signal") && !c->exitSignal.isEmpty() ? c->exitSignal
                                                                                 : c->exitHow;
    const qsizetype finished = log.finishedAttempts().size();
    QStringList row{QString::number(log.subject()), log.path, QString::number(log.set()),
                    log.parsed.header->dateText,
                    c && c->start.isValid() ? isoTime(c->start) : QString(),
                    c ? c->programVersion : QString(), c ? QString::number(c->seed) : QString(),
                    QString::number(log.attemptCount), QString::number(finished),
                    flag(int(finished >= log.attemptCount)), exit, log.endingText()};
    for (int j = 0; j < PayoffFile::PayoffCount; ++j) {
        const std::optional<int> payoff = log.payoffAt(j);
        row.append(payoff ? QString::number(*payoff) : QString());
    }
    return {row};
}

ExportTables::Definition ExportTables::payoffs()
{
    return {QStringLiteral("payoffs"), QStringLiteral("--payoffs"),
            QStringLiteral("One row per payoff node of each log, 64 rows a log: the payoff table of runs in long "
                           "form, to join on log and node (inspections' index where level is p, attempts' node)."),
            {logColumn(),
             {QStringLiteral("node"), Type::Integer, QString(), QStringLiteral("the payoff node, 0 to 63 (p0 ... p63 of runs)"),
              QStringLiteral("one row for each"), Never},
             {QStringLiteral("payoff"), Type::Integer, QStringLiteral("pounds"),
              QStringLiteral("its payoff in the run's payoff table; a loss is negative"),
              PayoffSource, NoPayoffs}}};
}

QList<QStringList> ExportTables::payoffRows(const LabLog &log)
{
    QList<QStringList> rows;
    for (int j = 0; j < PayoffFile::PayoffCount; ++j) {
        const std::optional<int> payoff = log.payoffAt(j);
        rows.append({log.path, QString::number(j), payoff ? QString::number(*payoff) : QString()});
    }
    return rows;
}
