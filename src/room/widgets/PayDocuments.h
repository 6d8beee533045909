#pragma once

#include "session/PaymentDay.h"

#include <QStringList>
#include <QWidget>

#include <optional>

class QLineEdit;
class QPagedPaintDevice;
class QPushButton;
class RoomBoxes;
class RoomLog;

// The Pay dialog's documents of the payments drawn: the schedule of payments and the
// receipts, each saved as PDF to the file named (through the output check, whole or not
// at all) or printed through the system's print dialog (RoomBoxes::print). Each is
// written to room-log.txt. Off until payments are drawn.
class PayDocuments : public QWidget
{
    Q_OBJECT

public:
    PayDocuments(const QStringList &logs, const QString &workFolder, RoomBoxes &boxes, RoomLog &log,
                 QWidget *parent = nullptr);

    // The payments the documents are made of; nothing turns the buttons off.
    void setDay(const std::optional<PaymentDay> &day);

    bool saveSchedule();
    bool saveReceipts();
    bool printSchedule();
    bool printReceipts();

private:
    bool save(QLineEdit *path, const QString &what, QByteArray (*make)(const PaymentDay &));
    bool print(const QString &what, void (*draw)(const PaymentDay &, QPagedPaintDevice *));

    QStringList m_logs;
    RoomBoxes &m_boxes;
    RoomLog &m_roomLog;
    std::optional<PaymentDay> m_day;
    QLineEdit *m_schedulePath;
    QLineEdit *m_receiptsPath;
    QList<QPushButton *> m_buttons;
};
