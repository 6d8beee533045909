#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// The first line of an event log: "<subject>  <set>  <date>  <clock>", four fields
// separated by two blanks. The date is kept as the text the program wrote (the short
// date of the workstation's locale); the clock is the seconds since local midnight at
// which the log was opened, with either '.' or ',' as the decimal separator.
struct LogHeader
{
    qint16 subjectNo = 0;
    qint16 paramSetNo = 0;
    QString dateText;
    QString clockText;
    double clock = 0.0;
};

// One record of the log, with everything its line says. Fields a kind does not have
// keep their defaults (level 0, index -1, no direction, empty text).
struct LogRecord
{
    enum class Kind {
        Start,           // " Start"
        NodeClick,       // " d1 ", " c1 " ... " p ": level is the clicked array's, index the node
        NotepadContents, // level, index and the notepad's text (may span several lines)
        CloseNotepad,    // level and index of the node whose notepad is closed
        ConfirmDecision, // direction, level (1, 3, 5) and index of the decision node
        NatureMove,      // direction, level (2, 4, 6) and index of the chance node
        FinalPayoffNode, // level 7 and the index 0..63 of the payoff node reached
        Continue,        // the end of an attempt
    };
    enum class Direction { None, Left, Right };

    Kind kind = Kind::Start;
    int level = 0;        // LevelCode 1..7, or 0
    int index = -1;       // node index within the level, or -1
    Direction direction = Direction::None;
    qint64 stamp = 0;     // whole seconds since the log was opened (after the four above: no padding)
    QString text;         // NotepadContents only; line breaks as '\n'
    qint64 firstLine = 0; // line numbers in the file, from 1 (the header is line 1)
    qint64 lastLine = 0;  // > firstLine for a notepad text of several lines

    // "Start", "d1" ... "p", "NotepadContents", ..., "Continue".
    QString kindName() const;
};

// Moved in memory as bytes when the list of a long log's records grows.
Q_DECLARE_TYPEINFO(LogRecord, Q_RELOCATABLE_TYPE);

// A line the reader could not take as what it should be, with its number from 1.
struct LogProblem
{
    qint64 line = 0;
    QString message;
};

struct ParsedLog
{
    std::optional<LogHeader> header; // empty when line 1 is not a header
    QList<LogRecord> records;
    QList<LogProblem> problems;      // in line order, the first MostListedProblems of them
    qint64 unlistedProblems = 0;     // the problems beyond those
    QList<LogProblem> warnings;      // what was read although the program writes it otherwise
    qint64 lineCount = 0;

    bool clean() const { return header.has_value() && problems.isEmpty(); }
    qint64 problemCount() const { return problems.size() + unlistedProblems; }
};

// One attempt of the experiment as the log shows it. Attempts are separated by the
// Continue records: attempt 1 runs from the first record (" Start") to the first
// Continue, attempt 2 from the record after it to the second Continue, and so on; the
// records after the last Continue, if any, are the attempt still in play.
struct AttemptSummary
{
    int number = 0;              // from 1
    qsizetype firstRecord = 0;   // indexes into ParsedLog::records, inclusive
    qsizetype lastRecord = -1;
    int reachedLevel = 1;        // 1 + the moves made; 7 once the payoff node is reached
    std::array<int, 8> pathNode{-1, 0, -1, -1, -1, -1, -1, -1}; // by LevelCode 1..7; -1 not yet
    int finalPayoffNode = -1;    // from the FinalPayoffNode record, -1 before it
    bool continued = false;      // ended by a Continue record

    // Played to its payoff node and ended by its Continue: an attempt that can be paid.
    bool finished() const { return continued && finalPayoffNode >= 0; }
};

// Reads the event log as the program writes it: Windows-1252 text, CR LF line ends,
// a header line, then one record per line except NotepadContents, whose text runs on
// over further lines when the subject typed line breaks.
//
// A line is read by the rules of the run, as the window writes its records: a click
// only on a node still in play, a NotepadContents record right after each click and
// close that leaves a decision or chance node, ConfirmDecision and NatureMove only at
// the node just clicked on which the subject stands, FinalPayoffNode only right after
// Nature's move at c3, Continue only after it, Start once, first. A line is a record
// when the whole line parses as "<time stamp><known tag><the fields that tag has>"
// (EventTags.h, blanks counted, fields in the form and range the program writes) and
// the rules allow that record at that point. After a NotepadContents record every other
// line continues its text, so a subject who types "9 Continue" into a notepad writes text;
// where a typed line could be a record there, the reading that places every later line
// wins (see RuleReader). A line that no reading can place is a problem, reported with
// what the rules expected there, and read as the record it looks like (forced), so that
// a damaged log can still be read with care. A log whose every line ends in LF alone is
// read with one warning.
class LogReader
{
public:
    // The longest file read() accepts: a long session writes a few hundred kilobytes.
    static constexpr qint64 MostBytes = 16 * 1024 * 1024;
    // Problems listed one by one; beyond them a log is counted, not described.
    static constexpr int MostListedProblems = 100;

    static ParsedLog parse(const QByteArray &bytes);

    // Reads and parses the file. False, with *error set, if it cannot be read.
    static bool read(const QString &path, ParsedLog *log, QString *error);

    // The header alone, from the first line of a file (without its line end).
    static std::optional<LogHeader> parseHeader(const QString &line);
    // Whether the file's first line is a header: the test for "is an event log".
    static std::optional<LogHeader> readHeader(const QString &path);

    // The record one line stands for, when the line is one (see the rule above).
    static std::optional<LogRecord> parseRecordLine(const QString &line);
    // The same, or nothing with *why saying why the line is no record.
    static std::optional<LogRecord> classify(const QString &line, QString *why);
    // A line's text as quoted in a message: at most 40 characters, NULs shown.
    static QString quoted(const QString &text);

    static QList<AttemptSummary> attempts(const QList<LogRecord> &records);

    // "d1" ... "p" for LevelCode 1..7, empty otherwise.
    static QString levelName(int level);
};
