#include "record/RuleReader.h"

#include "record/Windows1252.h"

RuleReader::RuleReader(const QByteArray &bytes, ParsedLog &log) : m_bytes(bytes), m_log(log), m_lfOnly(lfOnly(bytes))
{
    if (m_lfOnly)
        m_log.warnings.append({1, QStringLiteral("every line ends in LF alone, not CR LF as the "
                                                 "program writes: the file has been through a "
                                                 "tool that converts line ends; read as if each "
                                                 "LF were CR LF")});
}

bool RuleReader::lfOnly(const QByteArray &bytes)
{
    return bytes.contains('\n') && !bytes.contains("\r\n");
}

void RuleReader::readUpTo(qint64 end)
{
    while (m_at.pos < end)
        readLine();
}

void RuleReader::finish()
{
    m_log.lineCount = m_at.number - 1;
}

void RuleReader::problem(qint64 line, const QString &message)
{
    if (m_log.problems.size() < LogReader::MostListedProblems)
        m_log.problems.append({line, message});
    else
        ++m_log.unlistedProblems;
}

void RuleReader::restore(const Cursor &c)
{
    m_at = c;
    m_log.records.resize(c.records);
    if (c.records > 0)
        m_log.records.last() = c.last;
    m_log.problems.resize(c.problems);
    m_log.unlistedProblems = c.unlisted;
}

RuleReader::Cursor RuleReader::snapshot() const
{
    Cursor c = m_at;
    c.records = m_log.records.size();
    if (c.records > 0)
        c.last = m_log.records.last();
    c.problems = m_log.problems.size();
    c.unlisted = m_log.unlistedProblems;
    return c;
}

void RuleReader::stampProblem(const LogRecord &record, qint64 number)
{
    if (!m_log.records.isEmpty() && record.stamp < m_log.records.last().stamp)
        problem(number, QStringLiteral("the time stamp %1 is earlier than the %2 of the record on line %3")
                            .arg(record.stamp)
                            .arg(m_log.records.last().stamp)
                            .arg(m_log.records.last().firstLine));
}

void RuleReader::take(LogRecord record, qint64 number, bool allowed)
{
    record.firstLine = record.lastLine = number;
    m_at.run.apply(record, allowed);
    m_log.records.append(record);
}

void RuleReader::readLine()
{
    const qint64 number = m_at.number;
    const qsizetype end = m_bytes.indexOf('\n', m_at.pos);
    const bool unterminated = end < 0;
    const qint64 next = unterminated ? m_bytes.size() : end + 1;
    QByteArray raw = m_bytes.mid(m_at.pos, (unterminated ? m_bytes.size() : end) - m_at.pos);
    const QString cutShort = QStringLiteral("the file ends in the middle of this line, "
                                            "without CR LF: the program may be writing it "
                                            "right now, or was stopped");
    if (raw.endsWith('\r'))
        raw.chop(1);
    else if (!unterminated && !m_lfOnly)
        problem(number, QStringLiteral("the line ends in LF without CR"));
    const QString line = Windows1252::decode(raw);
    const auto advance = [&] {
        m_at.pos = next;
        m_at.number = number + 1;
        if (m_searching && number >= m_failure.number) {
            m_searching = false; // a reading got past the line that failed
            m_choices.clear();
        }
    };

    if (number == 1) {
        m_log.header = LogReader::parseHeader(line);
        if (unterminated)
            problem(1, cutShort);
        else if (!m_log.header)
            problem(1, QStringLiteral("%1 is not a log header \"<subject>  <set>  <date>  <clock>\"")
                           .arg(LogReader::quoted(line)));
        advance();
        return;
    }
    if (unterminated)
        problem(number, cutShort);

    QString why;
    const std::optional<LogRecord> record = LogReader::classify(line, &why);
    const bool allowed = record && m_at.run.allows(*record);
    const bool inNotepad = !m_log.records.isEmpty()
        && m_log.records.last().kind == LogRecord::Kind::NotepadContents;
    if (inNotepad) {
        if (allowed && m_at.pos != m_textAt) {
            m_choices.append(snapshot());
            if (m_choices.size() > MostChoices)
                m_choices.removeFirst();
            stampProblem(*record, number);
            take(*record, number, true);
        } else if (m_searching && number >= m_failure.number) {
            backtrack(); // a reading counts only where it places that line as a record
            return;
        } else {
            LogRecord &notepad = m_log.records.last();
            notepad.text += QLatin1Char('\n') + line;
            notepad.lastLine = number;
        }
        advance();
        return;
    }
    if (allowed) {
        stampProblem(*record, number);
        take(*record, number, true);
        advance();
        return;
    }
    if (unterminated && !record) { // a line cut short is reported as that alone
        advance();
        return;
    }
    // The line has no place here. Try the other readings of the notepad lines before it.
    if (!m_searching && !m_choices.isEmpty()) {
        m_searching = true;
        m_tries = 0;
        m_failure = snapshot();
        m_failureTail = m_log.records.mid(m_choices.first().records - 1);
        m_failureFirst = m_choices.first().records - 1;
        m_failureProblems = m_log.problems;
    }
    if (m_searching) {
        backtrack();
        return;
    }
    readFailed(number, line, record, why);
    advance();
}

// The next reading to try: the latest notepad line read as a record, now read as text.
// When none is left, back to the first reading, where the failing line fails.
void RuleReader::backtrack()
{
    if (!m_choices.isEmpty() && m_tries++ < MostTries) {
        const Cursor choice = m_choices.takeLast();
        restore(choice);
        m_textAt = choice.pos;
        return;
    }
    m_searching = false;
    m_choices.clear();
    m_at = m_failure;
    m_log.unlistedProblems = m_failure.unlisted;
    m_log.records.resize(m_failureFirst);
    m_log.records += m_failureTail;
    m_log.problems = m_failureProblems;
}

void RuleReader::readFailed(qint64 number, const QString &line, const std::optional<LogRecord> &record, const QString &why)
{
    const QString expected = m_at.run.expected();
    if (!record) {
        problem(number, QStringLiteral("not a record: %1; the rules expect %2 here").arg(why, expected));
        return;
    }
    problem(number, QStringLiteral("%1 cannot come here: the rules expect %2")
                        .arg(LogReader::quoted(line), expected));
    take(*record, number, false);
}
