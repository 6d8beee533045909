#include "session/NotepadEdits.h"

NotepadEdits::NotepadEdits(const LabLog &log)
{
    if (log.companion) {
        for (const CompanionNote &note : log.companion->notes) {
            const bool edit = store(note.level, note.index, note.text);
            m_noteIsEdit.append(edit);
            if (edit)
                ++m_byAttempt[note.attempt];
        }
        return;
    }
    QHash<int, int> clickedIn; // by level * 100 + index: the attempt of the node's last click
    for (const AttemptSummary &attempt : log.attempts) {
        for (qsizetype i = attempt.firstRecord; i <= attempt.lastRecord && i < log.parsed.records.size(); ++i) {
            const LogRecord &record = log.parsed.records[i];
            const int key = record.level * 100 + record.index;
            if (record.kind == LogRecord::Kind::NodeClick)
                clickedIn.insert(key, attempt.number);
            else if (record.kind == LogRecord::Kind::NotepadContents && store(record.level, record.index, record.text))
                ++m_byAttempt[clickedIn.value(key, attempt.number)];
        }
    }
}

bool NotepadEdits::store(int level, int index, const QString &text)
{
    const int key = level * 100 + index;
    const bool edit = text != m_stored.value(key);
    m_stored.insert(key, text);
    return edit;
}
