#pragma once

#include "session/LogArguments.h"
#include "session/PaymentList.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>

class PayDocuments;
class QCheckBox;
class QLabel;
class QDir;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class RoomBoxes;
class RoomLog;

// Pay: the seed and the show-up fee entered, the payments table drawn and shown with each
// subject's amount and the session's total (PaymentDay, the rules of treelab pay), and
// only then written as CSV and as a workbook, the schedule and the receipts as PDF or
// printed (PayDocuments). "--partial" is a checkbox
// that says what it admits. Write stays off until the table shown is the one for the
// seed and the checkbox as they stand. What was found when the room's logs were gathered
// (LogArguments) is shown from the start; the logs of other days than the session's are
// paid only when their own checkbox is ticked. Every choice, and a draw refused, goes
// into room-log.txt.
class PayDialog : public QDialog
{
    Q_OBJECT

public:
    PayDialog(const LogArguments &logs, const QString &workFolder, RoomBoxes &boxes, RoomLog &log,
              QWidget *parent = nullptr);
    ~PayDialog() override;

    // Draws: reads the logs (a progress bar that can be cancelled) and shows the table.
    void draw();
    // Writes the table drawn; true when both files are in place.
    bool write();

private:
    void makeInputs(const QDir &work);
    void makeTable();
    void makeButtons();
    void layOut();
    void connectControls();
    void inputsChanged();
    void showFindings(const Findings &findings);
    void showEveryRow();
    // The logs to draw from as the checkboxes stand, what was found of them into *findings.
    QStringList chosenLogs(Findings *findings) const;
    // The options ticked and the logs left out or taken in, for room-log.txt.
    QString choices() const;

    LogArguments m_arguments;
    QStringList m_logs; // every log of the room, none of which an output may replace
    QString m_csvFolder;
    RoomBoxes &m_boxes;
    RoomLog &m_roomLog;
    QLineEdit *m_seed;
    QLineEdit *m_fee = nullptr;
    QLabel *m_total = nullptr;
    PayDocuments *m_documents = nullptr;
    QCheckBox *m_force = nullptr;
    QCheckBox *m_partial;
    QCheckBox *m_includeDays;
    QLineEdit *m_csv;
    QLineEdit *m_workbook;
    QTableWidget *m_table;
    QPlainTextEdit *m_findings;
    QPushButton *m_drawButton;
    QPushButton *m_writeButton;
    QPushButton *m_closeButton;
    QList<QStringList> m_rows;
    std::optional<std::uint32_t> m_drawnSeed;
    std::optional<qint64> m_drawnFee;
};
