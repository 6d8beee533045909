#pragma once

#include "session/LabLog.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Each attempt of a log walked record by record as the screen showed it: every inspection
// (a node click, from the click to the event that took the node off the screen) and every
// move (the subject's decision or Nature's draw) with the looking that led to it.
//
// An inspection ends at the first of: the next node click, CloseNotepad, the decision's
// confirmation, Nature's move, a message box (it appears over the tree, which then can
// no longer be worked), the attempt's Continue, or, in a run that stopped in the middle
// of an attempt, the program's exit. Times come from the companion record's milliseconds
// alone; without a companion (or with one set aside) every time is -1, never guessed from
// the classic log's whole seconds, and a box cannot be seen.
class LogWalk
{
public:
    struct Inspection
    {
        int attempt = 0;
        int order = 0; // from 1 within the attempt
        int level = 0; // LevelCode 1..7
        int index = -1;
        qsizetype record = -1; // the click's record in the log
        bool stoodOn = false;  // the node the subject stood on: navigation, not look-ahead
        int levelsAhead = 0;   // level less the level stood on
        int onPath = -1;       // 1 on the path the attempt took, 0 off it, -1 not known (it ended below)
        qint64 openedMs = -1;
        qint64 closedMs = -1;
        // "click", "CloseNotepad", "ConfirmDecision", "NatureMove", "box", "Continue" or
        // "exit"; empty when nothing in the records tells.
        QString closedBy;
        int noteChanged = -1; // 1 or 0; -1 for a payoff node, or the text at the close not known
        QString previous;     // the node inspected before within the attempt ("c2(3)"); empty for the first
        int stoodLevel = 0;   // the node stood on at the click
        int stoodIndex = -1;
        int burst = -1;       // 1: a re-click of the node before, within BurstMs of its opening; -1 not timed
        // From the node before: "repeat", "to the node stood on", "from the node stood on",
        // "child", "parent", "sibling", "same level" or "other"; empty for the first.
        QString transition;

        qint64 dwellMs() const { return openedMs >= 0 && closedMs >= 0 ? closedMs - openedMs : -1; }
    };

    struct Move
    {
        int attempt = 0;
        int level = 0; // 1..6: odd the subject's decision, even Nature's
        int index = -1;
        char direction = 0;    // 'L' or 'R'
        qsizetype record = -1; // the ConfirmDecision or NatureMove record
        // When the node became the one stood on: the attempt's start for d1, the decision
        // for a chance node, the answer of Nature's box for d2 and d3.
        qint64 stoodMs = -1;
        // What stoodMs is taken from: "Start", "NextAttempt" or "first click" for d1 (as
        // attemptFrom), "ConfirmDecision" for a chance node, "box" for d2 and d3; empty
        // where that is not recorded (no companion, or no box line after Nature's move).
        QString stoodFrom;
        qint64 movedMs = -1;
        int inspections = 0;   // node clicks from then to the move, the node's own included
        int distinctNodes = 0;
        int deepestAhead = -1; // the most levels ahead among them; -1 for none
        int noteChanged = -1;  // the node's text stored at the move against its text before; -1 not known
        std::optional<float> r; // Nature's draw, from the companion

        qint64 decisionMs() const { return stoodMs >= 0 && movedMs >= 0 ? movedMs - stoodMs : -1; }
    };

    // A re-click sooner than this after the node's opening is part of a burst.
    static constexpr qint64 BurstMs = 100;

    // Takes each inspection once it is over (closed, its note settled), in order.
    using Seen = std::function<void(const Inspection &)>;

    // Whole: every attempt is walked at once. ByAttempt: none until walkAttempt(), which
    // keeps no inspection it has handed on, for a log of any length.
    enum class Scope { Whole, ByAttempt };
    explicit LogWalk(const LabLog &log, Scope scope = Scope::Whole);

    // Walks the log's attempt a (from 0; each in turn, from the first) and hands its
    // inspections to seen: the same as the whole walk gives for that attempt. Its moves
    // and times are kept beside those of the attempts before.
    void walkAttempt(qsizetype a, const Seen &seen);

    const QList<Inspection> &inspections() const { return m_inspections; }
    const QList<Move> &moves() const { return m_moves; }
    // Milliseconds from the attempt's start (its Start record, or for a later attempt the
    // NextAttempt press) to its Continue; -1 when not known or not ended.
    qint64 attemptMs(int attemptNumber) const;
    // What attemptMs counts from: "Start", "NextAttempt", or "first click" (the attempt's
    // first node click, in a record without NextAttempt presses); empty when not known.
    QString attemptFrom(int attemptNumber) const;

    // "c2(3)": the level's name and the node's index from 0.
    static QString nodeName(int level, int index);

private:
    struct Stage; // the looking from one stand to the move made there
    struct Position;

    // Where in the log a node's notepad texts were stored: by node (level, index), the
    // NotepadContents records of the classic log, or with a companion its notes, in order.
    void indexNotes();
    const QList<qsizetype> *storesOf(int level, int index) const;
    // The store of the node's text last before the record (or companion line) limit, or the
    // first after it; -1 when there is none.
    qsizetype lastStoreBefore(int level, int index, qint64 limit) const;
    qsizetype firstStoreAfter(int level, int index, qint64 limit) const;
    qint64 storeAt(qsizetype store) const; // its record or line
    const QString &storedText(qsizetype store) const;
    // The first box whose line comes after line; boxes().size() when none.
    qsizetype firstBoxAfter(qint64 line) const;

    void walk(const AttemptSummary &attempt, bool lastOfLog);
    // The attempt's start: its Start record, or the NextAttempt press that began it.
    // Its ms, and the anchor's name (see attemptFrom).
    QPair<qint64, QString> startOf(const AttemptSummary &attempt) const;
    // The node click of record k opens an inspection.
    void inspect(qsizetype k, Position &at);
    // The decision or Nature's move of record k ends the stage, and the next begins.
    void move(qsizetype k, Position &at);
    // Nature's draw for the move of record k, from the companion.
    std::optional<float> drawOf(qsizetype k) const;
    // When the subject stood on the node the move of record k led to.
    QPair<qint64, QString> stoodAfter(qsizetype k, qint64 movedMs) const;
    qint64 msOf(qsizetype record) const;
    qint64 lineOf(qsizetype record) const;
    // Ends the open inspection at record k (the event that closes it), or at a box shown
    // before k's line.
    void close(qsizetype k, const QString &by);
    void closeAtEnd(bool lastOfLog);
    void settleNotes();
    void settle(Inspection &seen, qsizetype closing) const;
    void settleMove(qsizetype m);
    // Hands the inspections that are over to m_seen and forgets them (ByAttempt).
    void handOn();
    // The node's text stored last before record k (empty before the first store).
    std::optional<QString> storedBefore(int level, int index, qsizetype k) const;
    // The text stored when the inspection ended at record closing (-1: never closed).
    std::optional<QString> textAtClose(const Inspection &inspection, qsizetype closing) const;
    // The text stored by the move of record k.
    std::optional<QString> textAtMove(int level, int index, qsizetype k) const;
    static int changed(const std::optional<QString> &before, const std::optional<QString> &after);

    const LabLog &m_log;
    QList<Inspection> m_inspections;
    QList<qsizetype> m_closing; // by inspection: the record that closed it, -1 none
    QList<Move> m_moves;
    QList<qsizetype> m_stageFrom; // by move: the first record of its stage
    QList<qint64> m_attemptMs;
    QList<QString> m_attemptFrom;
    qsizetype m_open = -1; // the inspection on screen
    Seen m_seen;
    QHash<qint64, QList<qsizetype>> m_stores;
};

// Moved in memory as bytes when a list of them grows (its texts are Qt's implicitly shared ones).
Q_DECLARE_TYPEINFO(LogWalk::Inspection, Q_RELOCATABLE_TYPE);
