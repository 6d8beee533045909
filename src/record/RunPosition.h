#pragma once

#include "record/LogReader.h"

#include <QString>
#include <QStringList>

#include <array>

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

