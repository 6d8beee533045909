#include "LogReaderCheck.h"

#include "record/EventTags.h"
#include "record/LogReader.h"
#include "record/Windows1252.h"

#include <QFile>

#include <limits>

namespace {

QString tagOf(const LogRecord &r)
{
    using K = LogRecord::Kind;
    const bool left = r.direction == LogRecord::Direction::Left;
    switch (r.kind) {
    case K::Start: return EventTags::Start;
    case K::NodeClick: return EventTags::click(LogReader::levelName(r.level));
    case K::NotepadContents: return EventTags::NotepadContents;
    case K::CloseNotepad: return EventTags::CloseNotepad;
    case K::ConfirmDecision: return left ? EventTags::ConfirmDecisionLeft : EventTags::ConfirmDecisionRight;
    case K::NatureMove: return left ? EventTags::NatureMoveLeft : EventTags::NatureMoveRight;
    case K::FinalPayoffNode: return EventTags::FinalPayoffNode;
    case K::Continue: return EventTags::Continue;
    }
    return {};
}

// The record in the program's layout, line breaks of the notepad as '\n'.
QString writtenOut(const LogRecord &r)
{
    using K = LogRecord::Kind;
    const QString levelIndex = QString::number(r.level) + QLatin1Char(' ') + QString::number(r.index);
    QString fields;
    switch (r.kind) {
    case K::Start:
    case K::Continue: break;
    case K::NodeClick:
    case K::FinalPayoffNode: fields = QString::number(r.index); break;
    case K::NotepadContents: fields = levelIndex + QLatin1Char(' ') + r.text; break;
    case K::CloseNotepad:
    case K::ConfirmDecision:
    case K::NatureMove: fields = levelIndex; break;
    }
    return QString::number(r.stamp) + tagOf(r) + fields;
}

bool sameRecord(const LogRecord &a, const LogRecord &b)
{
    return a.kind == b.kind && a.stamp == b.stamp && a.level == b.level && a.index == b.index
        && a.direction == b.direction;
}

} // namespace

QString LogReaderCheck::run(const QByteArray &data, const QString &path)
{
    const ParsedLog log = LogReader::parse(data);

    // The lines as the file holds them, without their line ends.
    QList<QByteArray> raw = data.split('\n');
    if (data.endsWith('\n') || data.isEmpty())
        raw.removeLast();
    QStringList lines;
    for (QByteArray line : raw) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(Windows1252::decode(line));
    }
    if (log.lineCount != lines.size())
        return QStringLiteral("%1 lines counted, the file has %2").arg(log.lineCount).arg(lines.size());

    // Which lines the problems name.
    QList<bool> problemAt(lines.size() + 2, false);
    qint64 previousProblem = 0;
    for (const LogProblem &p : log.problems) {
        if (p.line < 1 || p.line > qMax<qint64>(1, lines.size()))
            return QStringLiteral("a problem on line %1 of %2: %3").arg(p.line).arg(lines.size()).arg(p.message);
        if (p.line < previousProblem)
            return QStringLiteral("the problems are out of line order at line %1").arg(p.line);
        if (p.message.isEmpty())
            return QStringLiteral("a problem without words on line %1").arg(p.line);
        previousProblem = p.line;
        problemAt[p.line] = true;
    }
    // Past the problems listed, the rest are counted only.
    const qint64 lastListed = log.unlistedProblems > 0 && !log.problems.isEmpty() ? log.problems.last().line
                                                                                 : std::numeric_limits<qint64>::max();
    if (data.isEmpty())
        return log.records.isEmpty() && !log.problems.isEmpty() && !log.header
            ? QString() : QStringLiteral("an empty file is read as something");

    if (log.header) {
        const LogHeader &h = *log.header;
        const QString again = QString::number(h.subjectNo) + QStringLiteral("  ") + QString::number(h.paramSetNo)
            + QStringLiteral("  ") + h.dateText + QStringLiteral("  ") + h.clockText;
        if (again != lines[0])
            return QStringLiteral("the header written out again is \"%1\", line 1 is \"%2\"").arg(again, lines[0]);
    } else if (!problemAt[1]) {
        return QStringLiteral("line 1 is no header, and no problem says so");
    }

    // Every line from 2 on: part of exactly one record, or a problem.
    qint64 next = 2;
    for (const LogRecord &r : log.records) {
        if (r.firstLine < next || r.lastLine < r.firstLine || r.lastLine > lines.size())
            return QStringLiteral("a %1 record on lines %2 to %3 after line %4")
                .arg(r.kindName()).arg(r.firstLine).arg(r.lastLine).arg(next - 1);
        for (; next < r.firstLine; ++next) {
            if (!problemAt[next] && next <= lastListed)
                return QStringLiteral("line %1 is in no record and no problem names it").arg(next);
        }
        const QString source = lines.mid(r.firstLine - 1, r.lastLine - r.firstLine + 1).join(QLatin1Char('\n'));
        const QString again = writtenOut(r);
        if (again != source)
            return QStringLiteral("the record of lines %1 to %2 written out again is \"%3\", the file has \"%4\"")
                .arg(r.firstLine).arg(r.lastLine).arg(again.left(120), source.left(120));
        const std::optional<LogRecord> alone = LogReader::parseRecordLine(lines[r.firstLine - 1]);
        if (!alone || !sameRecord(*alone, r))
            return QStringLiteral("line %1 alone does not read as the same record").arg(r.firstLine);
        if (r.kind != LogRecord::Kind::NotepadContents && r.lastLine != r.firstLine)
            return QStringLiteral("a %1 record runs over lines %2 to %3").arg(r.kindName()).arg(r.firstLine).arg(r.lastLine);
        next = r.lastLine + 1;
    }
    for (; next <= lines.size(); ++next) {
        if (!problemAt[next] && next <= lastListed)
            return QStringLiteral("line %1 is in no record and no problem names it").arg(next);
    }

    // The attempts: consecutive runs of records, each but the last ended by Continue.
    const QList<AttemptSummary> attempts = LogReader::attempts(log.records);
    qsizetype expected = 0;
    for (const AttemptSummary &a : attempts) {
        if (a.firstRecord != expected || a.lastRecord < a.firstRecord || a.lastRecord >= log.records.size())
            return QStringLiteral("attempt %1 covers records %2 to %3").arg(a.number).arg(a.firstRecord).arg(a.lastRecord);
        const bool continued = log.records[a.lastRecord].kind == LogRecord::Kind::Continue;
        if (a.continued != continued || (!continued && &a != &attempts.last()))
            return QStringLiteral("attempt %1 ends wrongly").arg(a.number);
        if (a.reachedLevel < 1 || a.reachedLevel > 7)
            return QStringLiteral("attempt %1 reached level %2").arg(a.number).arg(a.reachedLevel);
        for (int level = 1; level <= 7; ++level) {
            if (a.pathNode[level] < -1 || a.pathNode[level] >= (1 << (level - 1)))
                return QStringLiteral("attempt %1 has node %2 on level %3").arg(a.number).arg(a.pathNode[level]).arg(level);
        }
        expected = a.lastRecord + 1;
    }
    if (expected != log.records.size())
        return QStringLiteral("the attempts cover %1 of %2 records").arg(expected).arg(log.records.size());

    // The same bytes from a file.
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
            return QStringLiteral("cannot prepare %1").arg(path);
    }
    ParsedLog fromDisk;
    QString error;
    if (!LogReader::read(path, &fromDisk, &error))
        return QStringLiteral("the file cannot be read: %1").arg(error);
    if (fromDisk.records.size() != log.records.size() || fromDisk.problems.size() != log.problems.size()
        || fromDisk.header.has_value() != log.header.has_value())
        return QStringLiteral("the file reads otherwise than its bytes");
    const std::optional<LogHeader> header = LogReader::readHeader(path);
    const qsizetype firstEnd = data.indexOf('\n');
    if (firstEnd >= 0 && firstEnd < 1000 && header.has_value() != log.header.has_value())
        return QStringLiteral("readHeader and parse disagree on line 1");
    return {};
}
