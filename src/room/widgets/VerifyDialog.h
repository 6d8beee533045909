#pragma once

#include "session/LogVerdict.h"

#include <QDialog>
#include <QList>

class QTableWidget;
class QLabel;

// Verify all: a table of every log's verdict (LogVerdict), read with a progress bar that
// can be cancelled; what each log's findings are, in its last column and its tooltip.
class VerifyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VerifyDialog(QWidget *parent = nullptr);

    // Reads each log and fills the table; false when cancelled (the logs read so far stay).
    bool verify(const QStringList &logs);

    const QList<LogVerdict> &verdicts() const { return m_verdicts; }
    QString summary() const;

private:
    void addRow(const LogVerdict &verdict);

    QTableWidget *m_table;
    QLabel *m_summary;
    QList<LogVerdict> m_verdicts;
    bool m_cancelled = false;
};
