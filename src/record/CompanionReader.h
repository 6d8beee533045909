#pragma once

#include "record/LogReader.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// One "record" line of a companion record: a classic record with its milliseconds and,
// for NotepadContents, the text exactly as typed.
struct CompanionRecord
{
    qint64 ms = 0;
    qint64 stamp = 0;
    QString kind;   // as LogRecord::kindName(): "Start", "d1" ... "p", "NotepadContents", ...
    QString move;   // "L" or "R" for ConfirmDecision and NatureMove
    int level = 0;  // 0 where the record names no node
    int index = -1;
    QString text;   // NotepadContents only
    qint64 line = 0; // in the companion file, from 1
};

// One "payoff" line: the payoff shown to the subject at the end of an attempt.
struct CompanionPayoff
{
    int attempt = 0;
    int index = -1;
    int payoff = 0;
    QString text;
    qint64 line = 0; // in the companion file, from 1
};

// One "press" line: a press of a control that leaves no classic record (ShowtheTree,
// NextAttempt, ExperimentOver).
struct CompanionPress
{
    qint64 ms = 0;
    int attempt = 0;
    QString control;
    qint64 line = 0; // in the companion file, from 1
};

// One "box" line: a modal message box, from its appearance to its answer.
struct CompanionBox
{
    qint64 shownMs = 0;
    qint64 answeredMs = 0; // the line's "ms"
    int attempt = 0;
    QString icon;          // "information" or "warning"
    QString title;
    QString text;
    qint64 line = 0;       // in the companion file, from 1: where the answer stands among the records
};

// One "note" line: a notepad text stored for a node.
struct CompanionNote
{
    qint64 ms = 0;
    int attempt = 0;
    int level = 0;
    int index = -1;
    QString text;
    qint64 line = 0; // in the companion file, from 1
};

// One "draw" line: the draw of Nature's move, right before its NatureMove record.
struct CompanionDraw
{
    qint64 ms = 0;
    int attempt = 0;
    int level = 0;
    int index = -1;
    float r = 0;     // single precision, as drawn
    QString move;    // "L" or "R"
    qint64 line = 0; // in the companion file, from 1
};

// The companion record "<log>.jsonl" that the program writes beside each event log: JSON
// Lines, a "run" line first (schema "decision-tree-companion", version 1), then one line
// per event. Only what the experimenter's tool uses is kept; lines of other types and
// keys it does not know are passed over, as the format asks of readers.
struct Companion
{
    int version = 0;
    int subject = 0;
    int attempts = 0;
    int seed = 0;
    QString programVersion;
    QString header;    // the classic log's header line as written
    QDateTime start;   // the wall-clock time at which the log was opened, with its offset
    std::array<int, 64> payoffs{};
    QStringList payoffTexts;
    QString textsLanguage; // the translation the subject saw ("de_DE"); empty for English
    QString textsSha256;
    QList<CompanionRecord> records;
    QList<CompanionPayoff> shown;
    QList<CompanionPress> presses;
    QList<CompanionBox> boxes;
    QList<CompanionNote> notes;
    QList<CompanionDraw> draws;
    bool complete = false;      // an "end" line: the last attempt's Continue
    // The "exit" line: how the program stopped ("goAhead99", "windowClosed", "signal"),
    // and the signal's name for "signal". Empty how: no exit line, the program was killed,
    // crashed or lost power (or is still running).
    QString exitHow;
    QString exitSignal;
    qint64 exitMs = -1; // the exit line's ms, -1 without one
    QList<LogProblem> problems; // lines that do not read as the format says
};

class CompanionReader
{
public:
    static constexpr qint64 MostBytes = 64 * 1024 * 1024;

    // The event log whose companion record path names: path without its ".jsonl" ending
    // (matched with cs) when that is a file that reads as a log; empty otherwise.
    static QString logOf(const QString &path, Qt::CaseSensitivity cs = Qt::CaseSensitive);

    // Reads the companion record. False, with *error set, when it cannot be read or its
    // first line is not the run line of a known version. A last line cut short (a power
    // cut) is passed over without a problem.
    static bool read(const QString &path, Companion *companion, QString *error);
    static bool parse(const QByteArray &bytes, Companion *companion, QString *error);

    // Where a reading stands: the next line's offset, and the whole lines read.
    struct Position
    {
        qsizetype pos = 0;
        qint64 lines = 0;
    };
    // Reads on from *at to the last whole line of bytes, adding to *companion what parse()
    // would; parse() is readOn() from the start into an empty Companion.
    static bool readOn(const QByteArray &bytes, Position *at, Companion *companion, QString *error);

    // Where the classic log and its companion differ: record by record, the kind, time
    // stamp, node, move and text (which the classic log holds in Windows-1252). Each
    // difference names the line of the log. A companion that lacks the log's last record
    // (its line lost in a power cut) is not a difference.
    static QList<LogProblem> compare(const ParsedLog &log, const Companion &companion);
};
