#include "session/LogWalk.h"

#include <QSet>

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 NoLine = std::numeric_limits<qint64>::max();

qint64 nodeKey(int level, int index)
{
    return (qint64(level) << 32) | quint32(index);
}

} // namespace

// The looking since the subject came to stand on a node.
struct LogWalk::Stage
{
    qint64 stoodMs = -1;
    QString stoodFrom;
    qsizetype from = 0; // its first record
    // Its node clicks: how many, the nodes, the most levels ahead among them.
    int inspections = 0;
    QSet<QPair<int, int>> nodes{};
    int deepestAhead = -1;
};

LogWalk::LogWalk(const LabLog &log, Scope scope) : m_log(log)
{
    indexNotes();
    if (scope == Scope::ByAttempt)
        return;
    for (qsizetype a = 0; a < log.attempts.size(); ++a)
        walk(log.attempts[a], a + 1 == log.attempts.size());
    settleNotes();
}

void LogWalk::walkAttempt(qsizetype a, const Seen &seen)
{
    m_seen = seen;
    const qsizetype moved = m_moves.size();
    walk(m_log.attempts[a], a + 1 == m_log.attempts.size());
    handOn();
    for (qsizetype m = moved; m < m_moves.size(); ++m)
        settleMove(m);
    m_seen = nullptr;
}

void LogWalk::handOn()
{
    if (!m_seen)
        return;
    const qsizetype over = m_open < 0 ? m_inspections.size() : m_open;
    for (qsizetype i = 0; i < over; ++i) {
        settle(m_inspections[i], m_closing[i]);
        m_seen(m_inspections[i]);
    }
    m_inspections.remove(0, over);
    m_closing.remove(0, over);
    if (m_open >= 0)
        m_open -= over;
}

void LogWalk::indexNotes()
{
    if (m_log.companion) {
        const QList<CompanionNote> &notes = m_log.companion->notes;
        for (qsizetype n = 0; n < notes.size(); ++n)
            m_stores[nodeKey(notes[n].level, notes[n].index)].append(n);
        return;
    }
    const QList<LogRecord> &records = m_log.parsed.records;
    for (qsizetype k = 0; k < records.size(); ++k)
        if (records[k].kind == LogRecord::Kind::NotepadContents)
            m_stores[nodeKey(records[k].level, records[k].index)].append(k);
}

const QList<qsizetype> *LogWalk::storesOf(int level, int index) const
{
    const auto found = m_stores.constFind(nodeKey(level, index));
    return found == m_stores.constEnd() ? nullptr : &*found;
}

qint64 LogWalk::storeAt(qsizetype store) const
{
    return m_log.companion ? m_log.companion->notes[store].line : qint64(store);
}

const QString &LogWalk::storedText(qsizetype store) const
{
    return m_log.companion ? m_log.companion->notes[store].text : m_log.parsed.records[store].text;
}

qsizetype LogWalk::lastStoreBefore(int level, int index, qint64 limit) const
{
    const QList<qsizetype> *stores = storesOf(level, index);
    if (!stores)
        return -1;
    const auto after = std::lower_bound(stores->begin(), stores->end(), limit,
                                        [this](qsizetype store, qint64 at) { return storeAt(store) < at; });
    return after == stores->begin() ? -1 : *(after - 1);
}

qsizetype LogWalk::firstStoreAfter(int level, int index, qint64 limit) const
{
    const QList<qsizetype> *stores = storesOf(level, index);
    if (!stores)
        return -1;
    const auto after = std::upper_bound(stores->begin(), stores->end(), limit,
                                        [this](qint64 at, qsizetype store) { return at < storeAt(store); });
    return after == stores->end() ? -1 : *after;
}

qsizetype LogWalk::firstBoxAfter(qint64 line) const
{
    const QList<CompanionBox> &boxes = m_log.companion->boxes;
    return std::upper_bound(boxes.begin(), boxes.end(), line,
                            [](qint64 at, const CompanionBox &box) { return at < box.line; })
        - boxes.begin();
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
    Position at{.attempt = attempt, .stage = Stage{.stoodMs = startMs, .stoodFrom = startFrom, .from = attempt.firstRecord}};
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
    ++at.stage.inspections;
    at.stage.nodes.insert({seen.level, seen.index});
    at.stage.deepestAhead = std::max(at.stage.deepestAhead, seen.levelsAhead);
    handOn(); // the one before is over: only the one on screen is kept
    at.last = m_inspections.size();
    m_open = m_inspections.size();
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
    move.inspections = at.stage.inspections;
    move.deepestAhead = at.stage.deepestAhead;
    move.distinctNodes = int(at.stage.nodes.size());
    if (record.kind == LogRecord::Kind::NatureMove)
        move.r = drawOf(k);
    m_moves.append(move);
    m_stageFrom.append(at.stage.from);

    if (record.level >= 1 && record.level <= 6) {
        at.reached = record.level + 1;
        at.path[std::size_t(at.reached)] = 2 * record.index + (move.direction == 'R' ? 1 : 0);
    }
    const auto [stoodMs, stoodFrom] = stoodAfter(k, move.movedMs);
    at.stage = Stage{.stoodMs = stoodMs, .stoodFrom = stoodFrom, .from = k + 1};
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
        // The last box answered between the move and the next record.
        const qsizetype b = firstBoxAfter(next - 1);
        if (b > 0 && m_log.companion->boxes[b - 1].line > line)
            stood = {m_log.companion->boxes[b - 1].answeredMs, QStringLiteral("box")};
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
        const qsizetype b = firstBoxAfter(opened);
        if (b < m_log.companion->boxes.size() && m_log.companion->boxes[b].line < closing) {
            open.closedMs = m_log.companion->boxes[b].shownMs;
            open.closedBy = QStringLiteral("box");
            return;
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
    if (const qsizetype b = firstBoxAfter(opened); b < m_log.companion->boxes.size()) {
        open.closedMs = m_log.companion->boxes[b].shownMs;
        open.closedBy = QStringLiteral("box");
        return;
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
    for (qsizetype i = 0; i < m_inspections.size(); ++i)
        settle(m_inspections[i], m_closing[i]);
    for (qsizetype m = 0; m < m_moves.size(); ++m)
        settleMove(m);
}

void LogWalk::settle(Inspection &seen, qsizetype closing) const
{
    if (seen.level < 1 || seen.level > 6)
        return; // a payoff node has no notepad
    seen.noteChanged = changed(storedBefore(seen.level, seen.index, seen.record), textAtClose(seen, closing));
}

void LogWalk::settleMove(qsizetype m)
{
    Move &move = m_moves[m];
    move.noteChanged = changed(storedBefore(move.level, move.index, m_stageFrom[m]),
                               textAtMove(move.level, move.index, move.record));
}

std::optional<QString> LogWalk::storedBefore(int level, int index, qsizetype k) const
{
    // The classic log writes a node's text each time it is left; what it held is what was stored.
    const qint64 limit = m_log.companion ? lineOf(k) : qint64(k);
    if (limit < 0)
        return std::nullopt;
    const qsizetype store = lastStoreBefore(level, index, limit);
    return store < 0 ? QString() : storedText(store); // every notepad is empty when the program starts
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
        const qsizetype store = lastStoreBefore(seen.level, seen.index, until);
        return store >= 0 && storeAt(store) > from ? std::optional<QString>(storedText(store)) : std::nullopt;
    }
    // The text box keeps the node's text from its close until the next click writes it.
    const qsizetype store = firstStoreAfter(seen.level, seen.index, seen.record);
    return store >= 0 ? std::optional<QString>(storedText(store)) : std::nullopt;
}

std::optional<QString> LogWalk::textAtMove(int level, int index, qsizetype k) const
{
    if (m_log.companion) {
        // The move stores the text right before its record.
        const qint64 line = lineOf(k);
        if (line < 0)
            return std::nullopt;
        const qsizetype store = lastStoreBefore(level, index, line);
        return store >= 0 ? std::optional<QString>(storedText(store)) : std::nullopt;
    }
    const qsizetype store = firstStoreAfter(level, index, k);
    return store >= 0 ? std::optional<QString>(storedText(store)) : std::nullopt;
}
