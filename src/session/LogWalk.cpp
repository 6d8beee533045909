#include "session/LogWalk.h"

#include <QSet>

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 NoLine = std::numeric_limits<qint64>::max();

} // namespace

// The looking since the subject came to stand on a node.
struct LogWalk::Stage
{
    qint64 stoodMs = -1;
    QString stoodFrom;
    qsizetype from = 0; // its first record
    QList<qsizetype> inspections;
};

LogWalk::LogWalk(const LabLog &log) : m_log(log)
{
    for (qsizetype a = 0; a < log.attempts.size(); ++a)
        walk(log.attempts[a], a + 1 == log.attempts.size());
    settleNotes();
}

QString LogWalk::nodeName(int level, int index)
{
    return QStringLiteral("%1(%2)").arg(LogReader::levelName(level)).arg(index);
}

qint64 LogWalk::attemptMs(int attemptNumber) const
{
    return m_attemptMs.value(attemptNumber - 1, -1);
}

QString LogWalk::attemptFrom(int attemptNumber) const
{
    return m_attemptFrom.value(attemptNumber - 1);
}

qint64 LogWalk::msOf(qsizetype record) const
{
    const CompanionRecord *exact = m_log.companionRecord(record);
    return exact ? exact->ms : -1;
}

qint64 LogWalk::lineOf(qsizetype record) const
{
    const CompanionRecord *exact = m_log.companionRecord(record);
    return exact ? exact->line : -1;
}

// Where one attempt's walk stands: the node stood on and the looking since it was reached.
struct LogWalk::Position
{
    const AttemptSummary &attempt;
    int reached = 1; // the level stood on
    std::array<int, 8> path{-1, 0, -1, -1, -1, -1, -1, -1}; // by level: the node stood on there
    Stage stage;
    QString previous{}; // the node inspected last
    qsizetype last = -1; // its inspection
    int order = 0;      // of the last inspection
};

void LogWalk::walk(const AttemptSummary &attempt, bool lastOfLog)
{
    const QList<LogRecord> &records = m_log.parsed.records;
    const auto [startMs, startFrom] = startOf(attempt);
    Position at{.attempt = attempt, .stage = Stage{startMs, startFrom, attempt.firstRecord, {}}};
    m_open = -1;
    m_attemptMs.append(-1);
    m_attemptFrom.append(QString());
    for (qsizetype k = attempt.firstRecord; k <= attempt.lastRecord && k < records.size(); ++k) {
        const LogRecord &record = records[k];
        switch (record.kind) {
        case LogRecord::Kind::NodeClick:
            close(k, QStringLiteral("click"));
            inspect(k, at);
            break;
        case LogRecord::Kind::CloseNotepad:
            close(k, QStringLiteral("CloseNotepad"));
            break;
        case LogRecord::Kind::ConfirmDecision:
        case LogRecord::Kind::NatureMove:
            close(k, record.kindName());
            move(k, at);
            break;
        case LogRecord::Kind::Continue:
            close(k, QStringLiteral("Continue"));
            if (startMs >= 0 && msOf(k) >= 0) {
                m_attemptMs.last() = msOf(k) - startMs;
                m_attemptFrom.last() = startFrom;
            }
            break;
        default:
            break;
        }
    }
    closeAtEnd(lastOfLog);
}

QPair<qint64, QString> LogWalk::startOf(const AttemptSummary &attempt) const
{
    const QList<LogRecord> &records = m_log.parsed.records;
    if (attempt.firstRecord >= records.size() || msOf(attempt.firstRecord) < 0)
        return {-1, QString()};
    const LogRecord::Kind first = records[attempt.firstRecord].kind;
    if (first == LogRecord::Kind::Start)
        return {msOf(attempt.firstRecord), QStringLiteral("Start")};
    for (const CompanionPress &press : m_log.companion->presses)
        if (press.control == QLatin1String("NextAttempt") && press.attempt == attempt.number)
            return {press.ms, QStringLiteral("NextAttempt")};
    // A record from before presses were written: the attempt's first click is the nearest
    // anchor it holds in milliseconds.
    if (first == LogRecord::Kind::NodeClick)
        return {msOf(attempt.firstRecord), QStringLiteral("first click")};
    return {-1, QString()};
}

void LogWalk::inspect(qsizetype k, Position &at)
{
    const LogRecord &record = m_log.parsed.records[k];
    Inspection seen;
    seen.attempt = at.attempt.number;
    seen.order = ++at.order;
    seen.level = record.level;
    seen.index = record.index;
    seen.record = k;
    seen.stoodOn = record.level == at.reached && at.path[std::size_t(at.reached)] == record.index;
    seen.levelsAhead = record.level - at.reached;
    const int taken = record.level >= 1 && record.level <= 7 ? at.attempt.pathNode[std::size_t(record.level)] : -1;
    seen.onPath = taken < 0 ? -1 : taken == record.index ? 1 : 0;
    seen.openedMs = msOf(k);
    seen.previous = at.previous;
    seen.stoodLevel = at.reached;
    seen.stoodIndex = at.path[std::size_t(at.reached)];
    seen.burst = seen.openedMs >= 0 ? 0 : -1;
    if (at.last >= 0) {
        const Inspection &before = m_inspections[at.last];
        const bool repeat = before.level == seen.level && before.index == seen.index;
        if (before.openedMs >= 0 && seen.openedMs >= 0)
            seen.burst = int(repeat && seen.openedMs - before.openedMs < BurstMs);
        seen.transition = repeat              ? QStringLiteral("repeat")
            : seen.stoodOn                    ? QStringLiteral("to the node stood on")
            : before.level == seen.stoodLevel && before.index == seen.stoodIndex ? QStringLiteral("from the node stood on")
            : seen.level == before.level + 1 && seen.index / 2 == before.index ? QStringLiteral("child")
            : seen.level + 1 == before.level && before.index / 2 == seen.index ? QStringLiteral("parent")
            : seen.level == before.level && seen.index / 2 == before.index / 2 ? QStringLiteral("sibling")
            : seen.level == before.level      ? QStringLiteral("same level")
                                              : QStringLiteral("other");
    }
    at.previous = nodeName(record.level, record.index);
    at.last = m_inspections.size();
    m_open = m_inspections.size();
    at.stage.inspections.append(m_open);
    m_inspections.append(seen);
    m_closing.append(-1);
}

void LogWalk::move(qsizetype k, Position &at)
{
    const LogRecord &record = m_log.parsed.records[k];
    Move move;
    move.attempt = at.attempt.number;
    move.level = record.level;
    move.index = record.index;
    move.direction = record.direction == LogRecord::Direction::Left ? 'L' : 'R';
    move.record = k;
    move.stoodMs = at.stage.stoodMs;
    move.stoodFrom = at.stage.stoodFrom;
    move.movedMs = msOf(k);
    move.inspections = int(at.stage.inspections.size());
    QSet<QPair<int, int>> nodes;
    for (const qsizetype i : std::as_const(at.stage.inspections)) {
        nodes.insert({m_inspections[i].level, m_inspections[i].index});
        move.deepestAhead = std::max(move.deepestAhead, m_inspections[i].levelsAhead);
    }
    move.distinctNodes = int(nodes.size());
    if (record.kind == LogRecord::Kind::NatureMove)
        move.r = drawOf(k);
    m_moves.append(move);
    m_stageFrom.append(at.stage.from);

    if (record.level >= 1 && record.level <= 6) {
        at.reached = record.level + 1;
        at.path[std::size_t(at.reached)] = 2 * record.index + (move.direction == 'R' ? 1 : 0);
    }
    const auto [stoodMs, stoodFrom] = stoodAfter(k, move.movedMs);
    at.stage = Stage{stoodMs, stoodFrom, k + 1, {}};
}

std::optional<float> LogWalk::drawOf(qsizetype k) const
{
    const LogRecord &record = m_log.parsed.records[k];
    const qint64 line = lineOf(k);
    std::optional<float> r;
    if (m_log.companion && line >= 0)
        for (const CompanionDraw &draw : m_log.companion->draws)
            if (draw.line < line && draw.level == record.level && draw.index == record.index)
                r = draw.r;
    return r;
}

QPair<qint64, QString> LogWalk::stoodAfter(qsizetype k, qint64 movedMs) const
{
    const QList<LogRecord> &records = m_log.parsed.records;
    if (records[k].kind != LogRecord::Kind::NatureMove)
        return {movedMs, movedMs >= 0 ? QStringLiteral("ConfirmDecision") : QString()};
    // After Nature's move the subject stands on the next node once its boxes are answered;
    // a record without box lines does not tell when that was.
    const qint64 line = lineOf(k);
    QPair<qint64, QString> stood{-1, QString()};
    if (m_log.companion && line >= 0) {
        const qint64 next = k + 1 < records.size() && lineOf(k + 1) >= 0 ? lineOf(k + 1) : NoLine;
        for (const CompanionBox &box : m_log.companion->boxes)
            if (box.line > line && box.line < next)
                stood = {box.answeredMs, QStringLiteral("box")};
    }
    return stood;
}

void LogWalk::close(qsizetype k, const QString &by)
{
    if (m_open < 0)
        return;
    Inspection &open = m_inspections[m_open];
    m_closing[m_open] = k;
    m_open = -1;
    // A box put up while the node was shown, and answered before record k, ended it first.
    const qint64 opened = lineOf(open.record);
    const qint64 closing = lineOf(k);
    if (m_log.companion && opened >= 0 && closing >= 0) {
        for (const CompanionBox &box : m_log.companion->boxes) {
            if (box.line > opened && box.line < closing) {
                open.closedMs = box.shownMs;
                open.closedBy = QStringLiteral("box");
                return;
            }
        }
    }
    open.closedMs = msOf(k);
    open.closedBy = by;
}

void LogWalk::closeAtEnd(bool lastOfLog)
{
    if (m_open < 0)
        return;
    Inspection &open = m_inspections[m_open];
    m_open = -1;
    const qint64 opened = lineOf(open.record);
    if (!m_log.companion || opened < 0)
        return;
    for (const CompanionBox &box : m_log.companion->boxes) {
        if (box.line > opened) {
            open.closedMs = box.shownMs;
            open.closedBy = QStringLiteral("box");
            return;
        }
    }
    // The run stopped with the node on screen: the window closed, 99, or a signal.
    if (lastOfLog && m_log.companion->exitMs >= 0) {
        open.closedMs = m_log.companion->exitMs;
        open.closedBy = QStringLiteral("exit");
    }
}

int LogWalk::changed(const std::optional<QString> &before, const std::optional<QString> &after)
{
    return before && after ? int(*before != *after) : -1;
}

void LogWalk::settleNotes()
{
    for (qsizetype i = 0; i < m_inspections.size(); ++i) {
        Inspection &seen = m_inspections[i];
        if (seen.level < 1 || seen.level > 6)
            continue; // a payoff node has no notepad
        seen.noteChanged = changed(storedBefore(seen.level, seen.index, seen.record), textAtClose(seen, m_closing[i]));
    }
    for (qsizetype m = 0; m < m_moves.size(); ++m) {
        Move &move = m_moves[m];
        move.noteChanged = changed(storedBefore(move.level, move.index, m_stageFrom[m]),
                                   textAtMove(move.level, move.index, move.record));
    }
}

std::optional<QString> LogWalk::storedBefore(int level, int index, qsizetype k) const
{
    QString text; // every notepad is empty when the program starts
    if (m_log.companion) {
        const qint64 line = lineOf(k);
        if (line < 0)
            return std::nullopt;
        for (const CompanionNote &note : m_log.companion->notes)
            if (note.line < line && note.level == level && note.index == index)
                text = note.text;
        return text;
    }
    // The classic log writes a node's text each time it is left; what it held is what was stored.
    const QList<LogRecord> &records = m_log.parsed.records;
    for (qsizetype j = 0; j < k && j < records.size(); ++j)
        if (records[j].kind == LogRecord::Kind::NotepadContents && records[j].level == level
            && records[j].index == index)
            text = records[j].text;
    return text;
}

std::optional<QString> LogWalk::textAtClose(const Inspection &seen, qsizetype closing) const
{
    const QList<LogRecord> &records = m_log.parsed.records;
    if (m_log.companion) {
        // Stored at the close: by the move before its record, by a click or CloseNotepad
        // after the NotepadContents record that follows.
        const qint64 from = lineOf(seen.record);
        if (from < 0)
            return std::nullopt;
        qint64 until = NoLine;
        if (closing >= 0) {
            qsizetype after = closing + 1;
            while (after < records.size() && records[after].kind == LogRecord::Kind::NotepadContents)
                ++after;
            if (after < records.size() && lineOf(after) >= 0)
                until = lineOf(after);
        }
        std::optional<QString> text;
        for (const CompanionNote &note : m_log.companion->notes)
            if (note.line > from && note.line < until && note.level == seen.level && note.index == seen.index)
                text = note.text;
        return text;
    }
    // The text box keeps the node's text from its close until the next click writes it.
    for (qsizetype j = seen.record + 1; j < records.size(); ++j)
        if (records[j].kind == LogRecord::Kind::NotepadContents && records[j].level == seen.level
            && records[j].index == seen.index)
            return records[j].text;
    return std::nullopt;
}

std::optional<QString> LogWalk::textAtMove(int level, int index, qsizetype k) const
{
    const QList<LogRecord> &records = m_log.parsed.records;
    if (m_log.companion) {
        // The move stores the text right before its record.
        const qint64 line = lineOf(k);
        if (line < 0)
            return std::nullopt;
        std::optional<QString> text;
        for (const CompanionNote &note : m_log.companion->notes)
            if (note.line < line && note.level == level && note.index == index)
                text = note.text;
        return text;
    }
    for (qsizetype j = k + 1; j < records.size(); ++j)
        if (records[j].kind == LogRecord::Kind::NotepadContents && records[j].level == level && records[j].index == index)
            return records[j].text;
    return std::nullopt;
}
