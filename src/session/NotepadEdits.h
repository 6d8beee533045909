#pragma once

#include "session/LabLog.h"

#include <QHash>
#include <QList>
#include <QString>

// The one definition of a notepad edit, for every table that counts them: a store of a
// node's text that differs from the text stored for that node before it (a node's first
// store is compared with no text). The stores are the companion's note lines; a log without
// a companion has only its NotepadContents records, and such a record belongs to the
// attempt in which its node was last clicked (the text of an attempt's last node reaches
// the classic log with the next attempt's first click, or never after the last attempt).
class NotepadEdits
{
public:
    explicit NotepadEdits(const LabLog &log);

    // By the companion's note lines, in order: whether each is an edit.
    const QList<bool> &noteIsEdit() const { return m_noteIsEdit; }
    // The edits made in the attempt.
    int inAttempt(int attempt) const { return m_byAttempt.value(attempt); }

private:
    bool store(int level, int index, const QString &text);

    QHash<int, QString> m_stored; // by level * 100 + index
    QList<bool> m_noteIsEdit;
    QHash<int, int> m_byAttempt;
};
