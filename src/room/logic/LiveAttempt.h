#pragma once

#include "room/logic/FolderStamp.h"
#include "session/AttemptFacts.h"
#include "session/FollowedLogs.h"
#include "session/TreePicture.h"

#include <QString>

#include <memory>
#include <optional>

// The attempt a subject is playing, followed in their event log: the log is read again
// only when its stamp (size, time, identity) changed, and its last attempt is drawn as
// treelab draw draws it (TreePicture): the path so far, the nodes inspected in order and
// the payoff reached. Needs a QGuiApplication (the picture measures its texts).
class LiveAttempt
{
public:
    // Follows the log at path (empty: none).
    void follow(const QString &path);
    const QString &path() const { return m_path; }

    // Reads the log again when it changed; true when the picture changed.
    bool update();

    // The picture of the attempt in play, or nullptr when there is none yet (no log, a
    // log that cannot be read, or no record after its header).
    const TreePicture *picture() const { return m_picture.get(); }
    // Of that attempt: its number, the nodes inspected and the payoff reached as shown.
    const AttemptFacts &facts() const { return m_facts; }
    const std::optional<QString> &payoffText() const { return m_payoff; }
    // Why there is no picture, for people; empty when there is one.
    const QString &why() const { return m_why; }
    // The log's reads since follow().
    int reads() const { return m_reads; }

private:
    void read();

    QString m_path;
    std::optional<FolderStamp::File> m_stamp;
    bool m_read = false;
    std::unique_ptr<TreePicture> m_picture;
    AttemptFacts m_facts;
    std::optional<QString> m_payoff;
    QString m_why;
    int m_reads = 0;
    FollowedLogs m_followed; // the log read on as it grows
};
