#pragma once

#include "record/LogReader.h"
#include "record/RunPosition.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Reads the lines of a log in order against the rules. A line after a NotepadContents
// record is a record when the rules allow that record there, and text otherwise. Where
// taking such a line as a record leads to a line that the rules cannot place, the reader
// goes back and takes it as text instead, trying the latest such choice first, within a
// bounded number of tries; when no reading places every line, the line that failed first
// is reported with what the rules expected there, and read as the record it looks like.
//
// Each line is read from itself and the reader's state alone, so a log that grows can be
// read on: readUpTo() the whole lines there are, more bytes appended to the same array,
// readUpTo() again gives what one reading of the whole would give, as long as the bytes
// read stay as they were and whether every line ends in LF alone (lfOnly()) is the same.
class RuleReader
{
public:
    // Keeps both references: bytes may grow between readings, log takes what is read.
    RuleReader(const QByteArray &bytes, ParsedLog &log);

    // Reads the lines that begin before end (the last of them to its line end, or to the
    // end of the bytes when it has none).
    void readUpTo(qint64 end);
    // Counts the lines read; call it after the last readUpTo().
    void finish();

    // Where the next line begins.
    qint64 position() const { return m_at.pos; }
    bool lfOnly() const { return m_lfOnly; }
    static bool lfOnly(const QByteArray &bytes);

private:
    struct Cursor
    {
        qint64 pos = 0;    // byte offset of the next line
        qint64 number = 1; // its line number
        RunPosition run;
        qsizetype records = 0;
        LogRecord last;    // records.last() as it stood
        qsizetype problems = 0;
        qint64 unlisted = 0;
    };

    static constexpr int MostChoices = 64; // notepad lines still open to be read as text
    static constexpr int MostTries = 32;   // readings tried after one failure

    void problem(qint64 line, const QString &message);
    void restore(const Cursor &c);
    Cursor snapshot() const;
    void stampProblem(const LogRecord &record, qint64 number);
    void take(LogRecord record, qint64 number, bool allowed);
    void readLine();
    void backtrack();
    void readFailed(qint64 number, const QString &line, const std::optional<LogRecord> &record,
                    const QString &why);

    const QByteArray &m_bytes;
    ParsedLog &m_log;
    bool m_lfOnly = false;
    Cursor m_at;
    QList<Cursor> m_choices;
    bool m_searching = false;
    int m_tries = 0;
    Cursor m_failure;
    QList<LogRecord> m_failureTail;
    qsizetype m_failureFirst = 0;
    QList<LogProblem> m_failureProblems;
    qint64 m_textAt = -1; // a line that a retry takes as text
};
