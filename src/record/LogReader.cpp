#include "record/LogReader.h"

#include "record/EventTags.h"
#include "record/InputFile.h"
#include "record/Windows1252.h"
#include "tree/TreeModel.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <limits>

namespace {

const QString HeaderSeparator = QStringLiteral("  ");

QString quoted(const QString &text)
{
    constexpr qsizetype Most = 40;
    QString shown = text.size() > Most ? text.left(Most) + QStringLiteral("...") : text;
    shown.replace(QChar(0), QStringLiteral("\\0"));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// A decimal number as the program writes it: no sign (or '-' where allowed), no
// leading zeros, at most `digits` digits.
std::optional<qint64> canonicalNumber(QStringView text, bool signAllowed, int digits)
{
    qsizetype start = 0;
    if (signAllowed && text.startsWith(QLatin1Char('-')))
        start = 1;
    const QStringView body = text.mid(start);
    if (body.isEmpty() || body.size() > digits)
        return std::nullopt;
    qint64 magnitude = 0;
    for (const QChar c : body) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - u'0'); // digits is small: no overflow
    }
    if (body.size() > 1 && body.front() == QLatin1Char('0'))
        return std::nullopt;
    if (start == 1 && body == QLatin1String("0"))
        return std::nullopt;
    return start == 1 ? -magnitude : magnitude;
}

std::optional<int> nodeIndex(QStringView text, int level)
{
    const auto value = canonicalNumber(text, false, 2);
    if (!value || *value >= TreeModel::nodesOnLevel(level))
        return std::nullopt;
    return int(*value);
}

// "<level> <index>" with the level among `levels`; the rest after a further blank goes
// to *rest when rest is given (the notepad text), otherwise nothing may follow.
bool levelAndIndex(QStringView fields, std::initializer_list<int> levels, LogRecord *record,
                   QString *rest)
{
    const qsizetype blank = fields.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return false;
    const auto level = canonicalNumber(fields.left(blank), false, 1);
    if (!level || std::find(levels.begin(), levels.end(), int(*level)) == levels.end())
        return false;
    QStringView after = fields.mid(blank + 1);
    QStringView index = after;
    if (rest) {
        const qsizetype second = after.indexOf(QLatin1Char(' '));
        if (second < 0)
            return false;
        index = after.left(second);
        *rest = after.mid(second + 1).toString();
    }
    const auto node = nodeIndex(index, int(*level));
    if (!node)
        return false;
    record->level = int(*level);
    record->index = *node;
    return true;
}

struct TagInfo
{
    QString tag;
    LogRecord::Kind kind;
    int level = 0; // click tags
    LogRecord::Direction direction = LogRecord::Direction::None;
    const char *fieldForm; // for the problem message
};

const QList<TagInfo> &tags()
{
    using K = LogRecord::Kind;
    using D = LogRecord::Direction;
    static const QList<TagInfo> all = [] {
        QList<TagInfo> list{
            {EventTags::Start, K::Start, 0, D::None, "no fields"},
            {EventTags::NotepadContents, K::NotepadContents, 0, D::None,
             "a level 1 to 7, a blank, a node of that level, a blank and the text"},
            {EventTags::CloseNotepad, K::CloseNotepad, 0, D::None,
             "a level 1 to 7, a blank and a node of that level"},
            {EventTags::ConfirmDecisionLeft, K::ConfirmDecision, 0, D::Left,
             "a decision level 1, 3 or 5, a blank and a node of that level"},
            {EventTags::ConfirmDecisionRight, K::ConfirmDecision, 0, D::Right,
             "a decision level 1, 3 or 5, a blank and a node of that level"},
            {EventTags::NatureMoveLeft, K::NatureMove, 0, D::Left,
             "a chance level 2, 4 or 6, a blank and a node of that level"},
            {EventTags::NatureMoveRight, K::NatureMove, 0, D::Right,
             "a chance level 2, 4 or 6, a blank and a node of that level"},
            {EventTags::FinalPayoffNode, K::FinalPayoffNode, 0, D::None, "a payoff node 0 to 63"},
            {EventTags::Continue, K::Continue, 0, D::None, "no fields"},
        };
        static const char *const clickForms[] = {
            "the node 0", "a node 0 to 1", "a node 0 to 3", "a node 0 to 7",
            "a node 0 to 15", "a node 0 to 31", "a node 0 to 63",
        };
        for (int level = 1; level <= 7; ++level)
            list.append({EventTags::click(LogReader::levelName(level)), K::NodeClick, level,
                         D::None, clickForms[level - 1]});
        return list;
    }();
    return all;
}

bool parseFields(const TagInfo &info, QStringView fields, LogRecord *record)
{
    using K = LogRecord::Kind;
    switch (info.kind) {
    case K::Start:
    case K::Continue:
        return fields.isEmpty();
    case K::NodeClick: {
        const auto node = nodeIndex(fields, info.level);
        if (!node)
            return false;
        record->level = info.level;
        record->index = *node;
        return true;
    }
    case K::NotepadContents:
        return levelAndIndex(fields, {1, 2, 3, 4, 5, 6, 7}, record, &record->text);
    case K::CloseNotepad:
        return levelAndIndex(fields, {1, 2, 3, 4, 5, 6, 7}, record, nullptr);
    case K::ConfirmDecision:
        return levelAndIndex(fields, {1, 3, 5}, record, nullptr);
    case K::NatureMove:
        return levelAndIndex(fields, {2, 4, 6}, record, nullptr);
    case K::FinalPayoffNode: {
        const auto node = nodeIndex(fields, 7);
        if (!node)
            return false;
        record->level = 7;
        record->index = *node;
        return true;
    }
    }
    return false;
}

// The record a line stands for, or why it stands for none.
std::optional<LogRecord> classify(const QString &line, QString *why)
{
    qsizetype end = line.startsWith(QLatin1Char('-')) ? 1 : 0;
    while (end < line.size() && line[end] >= QLatin1Char('0') && line[end] <= QLatin1Char('9'))
        ++end;
    const QStringView stampText = QStringView(line).left(end);
    if (line.isEmpty()) {
        *why = QStringLiteral("the line is empty");
        return std::nullopt;
    }
    if (stampText.isEmpty() || stampText == QLatin1String("-")) {
        *why = QStringLiteral("%1 does not begin with a time stamp").arg(quoted(line));
        return std::nullopt;
    }
    const auto stamp = canonicalNumber(stampText, true, 18);
    if (!stamp) {
        *why = QStringLiteral("the time stamp \"%1\" is not a number as the program writes it "
                              "(no leading zeros)")
                   .arg(stampText.toString());
        return std::nullopt;
    }
    const QStringView rest = QStringView(line).mid(end);
    // Longest tags first would not matter: each tag is either exactly " Start" or a
    // 21-character column, and no two columns share their text.
    for (const TagInfo &info : tags()) {
        const bool matches = info.kind == LogRecord::Kind::Start ? rest == info.tag
                                                                   : rest.startsWith(info.tag);
        if (!matches)
            continue;
        LogRecord record;
        record.kind = info.kind;
        record.stamp = *stamp;
        record.direction = info.direction;
        if (parseFields(info, rest.mid(info.tag.size()), &record))
            return record;
        *why = QStringLiteral("the fields %1 after the tag %2 are not %3")
                   .arg(quoted(rest.mid(info.tag.size()).toString()),
                        quoted(info.tag), QLatin1String(info.fieldForm));
        return std::nullopt;
    }
    if (rest.startsWith(QLatin1String(" Start"))) {
        *why = QStringLiteral("the Start record has text after it: %1").arg(quoted(line));
        return std::nullopt;
    }
    *why = QStringLiteral("the tag %1 after the time stamp is none the program writes")
               .arg(quoted(rest.toString()));
    return std::nullopt;
}

// Where the run stands after the records read so far, as the window's handlers leave it:
// which nodes are in play, which node is inspected, which frame is open, and which record
// the program writes next without a click in between. A record is allowed where the
// program could have written it.
class RunPosition
{
public:
    using Kind = LogRecord::Kind;

    bool allows(const LogRecord &r) const
    {
        if (m_pendingNoteLevel > 0)
            return r.kind == Kind::NotepadContents && r.level == m_pendingNoteLevel
                && r.index == m_pendingNoteIndex;
        if (m_pendingFinal >= 0)
            return r.kind == Kind::FinalPayoffNode && r.index == m_pendingFinal;
        if (!m_started)
            return r.kind == Kind::Start;
        switch (r.kind) {
        case Kind::NodeClick:
            return inPlay(r.level, r.index);
        case Kind::CloseNotepad:
            return m_notepadOpen && r.level == m_clickLevel && r.index == m_clickIndex;
        case Kind::ConfirmDecision:
            return m_box == Box::Decision && r.level == m_clickLevel && r.index == m_clickIndex;
        case Kind::NatureMove:
            return m_box == Box::Nature && r.level == m_clickLevel && r.index == m_clickIndex;
        case Kind::Continue:
            return m_finished;
        case Kind::Start:
        case Kind::NotepadContents:
        case Kind::FinalPayoffNode:
            return false;
        }
        return false;
    }

    // Takes the record, whether the rules allow it (allows()). One they do not (a damaged
    // or forged line read by force) is applied as well as it goes, so that the records
    // after it are judged from there.
    void apply(const LogRecord &r, bool allowed)
    {
        if (!allowed) {
            m_pendingNoteLevel = 0;
            m_pendingFinal = -1;
            m_started = true;
        }
        switch (r.kind) {
        case Kind::Start:
            m_started = true;
            resetTree();
            break;
        case Kind::NodeClick:
            // The node clicked before has a notepad (levels 1 to 6): its text is owed.
            if (m_clickLevel >= 1 && m_clickLevel <= 6) {
                m_pendingNoteLevel = m_clickLevel;
                m_pendingNoteIndex = m_clickIndex;
            }
            m_clickLevel = r.level;
            m_clickIndex = r.index;
            m_notepadOpen = r.level <= 6;
            m_box = Box::None;
            if (r.level <= 6 && r.level == m_reached && m_path[r.level] == r.index)
                m_box = r.level % 2 == 1 ? Box::Decision : Box::Nature;
            break;
        case Kind::NotepadContents:
            m_pendingNoteLevel = 0;
            break;
        case Kind::CloseNotepad:
            if (m_clickLevel > 0) {
                m_pendingNoteLevel = r.level;
                m_pendingNoteIndex = r.index;
            }
            m_notepadOpen = false;
            m_box = Box::None;
            break;
        case Kind::ConfirmDecision:
        case Kind::NatureMove:
            m_path[r.level] = r.index;
            m_path[r.level + 1] = 2 * r.index + (r.direction == LogRecord::Direction::Right ? 1 : 0);
            m_reached = r.level + 1;
            m_notepadOpen = false;
            m_box = Box::None;
            if (r.kind == Kind::NatureMove && r.level == 6)
                m_pendingFinal = m_path[7];
            break;
        case Kind::FinalPayoffNode:
            m_pendingFinal = -1;
            m_reached = 7;
            m_path[7] = r.index;
            m_finished = true;
            break;
        case Kind::Continue:
            m_finished = false;
            resetTree();
            break;
        }
    }

    // What the rules allow at this point, for a person.
    QString expected() const
    {
        const auto node = [](int level, int index) {
            return QStringLiteral("%1(%2)").arg(LogReader::levelName(level)).arg(index);
        };
        if (m_pendingNoteLevel > 0)
            return QStringLiteral("the NotepadContents record of %1, which the program writes right "
                                  "after the record before it")
                .arg(node(m_pendingNoteLevel, m_pendingNoteIndex));
        if (m_pendingFinal >= 0)
            return QStringLiteral("the FinalPayoffNode record of p(%1), which follows Nature's move "
                                  "at c3")
                .arg(m_pendingFinal);
        if (!m_started)
            return QStringLiteral("the Start record");
        QStringList allowed;
        if (m_finished)
            allowed.append(QStringLiteral("a click on %1 or Continue").arg(node(7, m_path[7])));
        else
            allowed.append(QStringLiteral("a click on %1 or a node above it").arg(node(m_reached, m_path[m_reached])));
        if (m_notepadOpen)
            allowed.append(QStringLiteral("CloseNotepad of %1").arg(node(m_clickLevel, m_clickIndex)));
        if (m_box == Box::Decision)
            allowed.append(QStringLiteral("ConfirmDecision at %1").arg(node(m_clickLevel, m_clickIndex)));
        if (m_box == Box::Nature)
            allowed.append(QStringLiteral("NatureMove at %1").arg(node(m_clickLevel, m_clickIndex)));
        return allowed.join(QStringLiteral(", "));
    }

private:
    enum class Box { None, Decision, Nature };

    bool inPlay(int level, int index) const
    {
        return level >= m_reached && (index >> (level - m_reached)) == m_path[m_reached];
    }

    void resetTree()
    {
        m_reached = 1;
        m_path = {-1, 0, -1, -1, -1, -1, -1, -1};
        m_notepadOpen = false;
        m_box = Box::None;
    }

    bool m_started = false;
    int m_reached = 1;
    std::array<int, 8> m_path{-1, 0, -1, -1, -1, -1, -1, -1};
    int m_clickLevel = 0, m_clickIndex = -1;
    bool m_notepadOpen = false;
    Box m_box = Box::None;
    bool m_finished = false;
    int m_pendingNoteLevel = 0, m_pendingNoteIndex = -1;
    int m_pendingFinal = -1;
};

// Reads the lines of a log in order against the rules. A line after a NotepadContents
// record is a record when the rules allow that record there, and text otherwise. Where
// taking such a line as a record leads to a line that the rules cannot place, the reader
// goes back and takes it as text instead, trying the latest such choice first, within a
// bounded number of tries; when no reading places every line, the line that failed first
// is reported with what the rules expected there, and read as the record it looks like.
class RuleReader
{
public:
    RuleReader(const QByteArray &bytes, ParsedLog &log) : m_bytes(bytes), m_log(log)
    {
        m_lfOnly = bytes.contains('\n') && !bytes.contains("\r\n");
    }

    void run()
    {
        if (m_lfOnly)
            m_log.warnings.append({1, QStringLiteral("every line ends in LF alone, not CR LF as the "
                                                     "program writes: the file has been through a "
                                                     "tool that converts line ends; read as if each "
                                                     "LF were CR LF")});
        while (m_at.pos < m_bytes.size())
            readLine();
        m_log.lineCount = m_at.number - 1;
    }

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

    void problem(qint64 line, const QString &message)
    {
        if (m_log.problems.size() < LogReader::MostListedProblems)
            m_log.problems.append({line, message});
        else
            ++m_log.unlistedProblems;
    }

    void restore(const Cursor &c)
    {
        m_at = c;
        m_log.records.resize(c.records);
        if (c.records > 0)
            m_log.records.last() = c.last;
        m_log.problems.resize(c.problems);
        m_log.unlistedProblems = c.unlisted;
    }

    Cursor snapshot() const
    {
        Cursor c = m_at;
        c.records = m_log.records.size();
        if (c.records > 0)
            c.last = m_log.records.last();
        c.problems = m_log.problems.size();
        c.unlisted = m_log.unlistedProblems;
        return c;
    }

    void stampProblem(const LogRecord &record, qint64 number)
    {
        if (!m_log.records.isEmpty() && record.stamp < m_log.records.last().stamp)
            problem(number, QStringLiteral("the time stamp %1 is earlier than the %2 of the record on line %3")
                                .arg(record.stamp)
                                .arg(m_log.records.last().stamp)
                                .arg(m_log.records.last().firstLine));
    }

    void take(LogRecord record, qint64 number, bool allowed)
    {
        record.firstLine = record.lastLine = number;
        m_at.run.apply(record, allowed);
        m_log.records.append(record);
    }

    void readLine()
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
                               .arg(quoted(line)));
            advance();
            return;
        }
        if (unterminated)
            problem(number, cutShort);

        QString why;
        const std::optional<LogRecord> record = classify(line, &why);
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
    void backtrack()
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

    void readFailed(qint64 number, const QString &line, const std::optional<LogRecord> &record,
                    const QString &why)
    {
        const QString expected = m_at.run.expected();
        if (!record) {
            problem(number, QStringLiteral("not a record: %1; the rules expect %2 here").arg(why, expected));
            return;
        }
        problem(number, QStringLiteral("%1 cannot come here: the rules expect %2")
                            .arg(quoted(line), expected));
        take(*record, number, false);
    }

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

std::optional<qint16> integer16(QStringView text)
{
    const auto value = canonicalNumber(text, true, 5);
    if (!value || *value < -32768 || *value > 32767)
        return std::nullopt;
    return qint16(*value);
}

} // namespace

QString LogRecord::kindName() const
{
    switch (kind) {
    case Kind::Start: return QStringLiteral("Start");
    case Kind::NodeClick: return LogReader::levelName(level);
    case Kind::NotepadContents: return QStringLiteral("NotepadContents");
    case Kind::CloseNotepad: return QStringLiteral("CloseNotepad");
    case Kind::ConfirmDecision: return QStringLiteral("ConfirmDecision");
    case Kind::NatureMove: return QStringLiteral("NatureMove");
    case Kind::FinalPayoffNode: return QStringLiteral("FinalPayoffNode");
    case Kind::Continue: return QStringLiteral("Continue");
    }
    return QString();
}

QString LogReader::levelName(int level)
{
    return QLatin1String(TreeModel::levelName(level));
}

std::optional<LogHeader> LogReader::parseHeader(const QString &line)
{
    const qsizetype first = line.indexOf(HeaderSeparator);
    if (first < 0)
        return std::nullopt;
    const qsizetype second = line.indexOf(HeaderSeparator, first + 2);
    const qsizetype last = line.lastIndexOf(HeaderSeparator);
    if (second < 0 || last <= second)
        return std::nullopt;

    LogHeader header;
    const auto subject = integer16(QStringView(line).left(first));
    const auto set = integer16(QStringView(line).mid(first + 2, second - first - 2));
    header.dateText = line.mid(second + 2, last - second - 2);
    header.clockText = line.mid(last + 2);
    if (!subject || !set || header.dateText.trimmed().isEmpty()
        || header.dateText.trimmed() != header.dateText)
        return std::nullopt;

    static const QRegularExpression clock(
        QStringLiteral("^\\d+(?:[.,]\\d+)?(?:[eE][-+]?\\d+)?$"));
    if (!clock.match(header.clockText).hasMatch())
        return std::nullopt;
    bool ok = false;
    header.clock = QLocale::c().toDouble(QString(header.clockText).replace(QLatin1Char(','),
                                                                           QLatin1Char('.')),
                                         &ok);
    if (!ok || header.clock < 0.0 || header.clock > 86400.0)
        return std::nullopt;
    header.subjectNo = *subject;
    header.paramSetNo = *set;
    return header;
}

std::optional<LogRecord> LogReader::parseRecordLine(const QString &line)
{
    QString why;
    return classify(line, &why);
}

ParsedLog LogReader::parse(const QByteArray &bytes)
{
    ParsedLog log;
    if (bytes.isEmpty()) {
        log.problems.append({1, QStringLiteral("the file is empty: it has no header line")});
        return log;
    }
    RuleReader(bytes, log).run();
    return log;
}

bool LogReader::read(const QString &path, ParsedLog *log, QString *error)
{
    QByteArray bytes;
    QString why;
    if (!InputFile::readAll(path, MostBytes, QStringLiteral("an event log"), &bytes, &why)) {
        if (error)
            *error = why;
        return false;
    }
    *log = parse(bytes);
    return true;
}

std::optional<LogHeader> LogReader::readHeader(const QString &path)
{
    QFile file;
    if (!InputFile::open(file, path, nullptr))
        return std::nullopt;
    QByteArray first = file.readLine(4096);
    if (!first.endsWith('\n'))
        return std::nullopt;
    first.chop(1);
    if (first.endsWith('\r'))
        first.chop(1);
    return parseHeader(Windows1252::decode(first));
}

QList<AttemptSummary> LogReader::attempts(const QList<LogRecord> &records)
{
    QList<AttemptSummary> result;
    std::optional<AttemptSummary> current;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const LogRecord &record = records[i];
        if (!current) {
            current = AttemptSummary{};
            current->number = int(result.size()) + 1;
            current->firstRecord = i;
        }
        current->lastRecord = i;
        switch (record.kind) {
        case LogRecord::Kind::ConfirmDecision:
        case LogRecord::Kind::NatureMove: {
            const int child = 2 * record.index
                + (record.direction == LogRecord::Direction::Right ? 1 : 0);
            current->pathNode[record.level] = record.index;
            current->pathNode[record.level + 1] = child;
            current->reachedLevel = record.level + 1;
            break;
        }
        case LogRecord::Kind::FinalPayoffNode:
            current->pathNode[7] = record.index;
            current->finalPayoffNode = record.index;
            current->reachedLevel = 7;
            break;
        case LogRecord::Kind::Continue:
            current->continued = true;
            result.append(*current);
            current.reset();
            break;
        default:
            break;
        }
    }
    if (current)
        result.append(*current);
    return result;
}
