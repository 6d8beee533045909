#pragma once

#include "session/LogVerdict.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

// Verify all: a table of every log's verdict (LogVerdict) and when it was last written,
// read with a progress bar that can be cancelled; what each log's findings are, in its
// last column and its tooltip; what was found of the room's logs as a whole (logs set
// aside, logs of other days) below.
class VerifyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VerifyDialog(QWidget *parent = nullptr);

    // Reads each log and fills the table; false when cancelled (the logs read so far stay).
    // A run with no end line whose log was written at runningSince or later is still
    // running. found: what was found when the logs were gathered, shown below the table.
    bool verify(const QStringList &logs, const QDateTime &runningSince = QDateTime(), const Findings &found = {});

    const QList<LogVerdict> &verdicts() const { return m_verdicts; }
    QString summary() const;

private:
    void addRow(const LogVerdict &verdict);

    QTableWidget *m_table;
    QLabel *m_summary;
    QPlainTextEdit *m_found;
    QList<LogVerdict> m_verdicts;
    bool m_cancelled = false;
};
