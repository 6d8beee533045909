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
    int order = 0;      // of the last inspection
};

void LogWalk::walk(const AttemptSummary &attempt, bool lastOfLog)
{
    const QList<LogRecord> &records = m_log.parsed.records;
    const qint64 startMs = startOf(attempt);
    Position at{.attempt = attempt, .stage = Stage{startMs, attempt.firstRecord, {}}};
    m_open = -1;
    m_attemptMs.append(-1);
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
            if (startMs >= 0 && msOf(k) >= 0)
                m_attemptMs.last() = msOf(k) - startMs;
            break;
        default:
            break;
        }
    }
    closeAtEnd(lastOfLog);
}

qint64 LogWalk::startOf(const AttemptSummary &attempt) const
{
    const QList<LogRecord> &records = m_log.parsed.records;
    qint64 startMs = -1;
    if (attempt.firstRecord < records.size() && records[attempt.firstRecord].kind == LogRecord::Kind::Start)
        startMs = msOf(attempt.firstRecord);
    else if (m_log.companion)
        for (const CompanionPress &press : m_log.companion->presses)
            if (press.control == QLatin1String("NextAttempt") && press.attempt == attempt.number)
                startMs = press.ms;
    return startMs;
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
    at.previous = nodeName(record.level, record.index);
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
    at.stage = Stage{stoodAfter(k, move.movedMs), k + 1, {}};
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

qint64 LogWalk::stoodAfter(qsizetype k, qint64 movedMs) const
{
    // After Nature's move the subject stands on the next node once its boxes are answered.
    const QList<LogRecord> &records = m_log.parsed.records;
    const qint64 line = lineOf(k);
    qint64 stood = movedMs;
    if (records[k].kind == LogRecord::Kind::NatureMove && m_log.companion && line >= 0) {
        const qint64 next = k + 1 < records.size() && lineOf(k + 1) >= 0 ? lineOf(k + 1) : NoLine;
        for (const CompanionBox &box : m_log.companion->boxes)
            if (box.line > line && box.line < next)
                stood = box.answeredMs;
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
