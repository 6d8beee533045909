#include "record/LogReader.h"

#include "record/EventTags.h"
#include "record/InputFile.h"
#include "record/RuleReader.h"
#include "record/Windows1252.h"
#include "tree/logic/TreeModel.h"

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

std::optional<LogRecord> LogReader::classify(const QString &line, QString *why)
{
    return ::classify(line, why);
}

QString LogReader::quoted(const QString &text)
{
    return ::quoted(text);
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
    RuleReader reader(bytes, log);
    reader.readUpTo(bytes.size());
    reader.finish();
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
