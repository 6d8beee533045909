#pragma once

#include <QByteArray>
#include <QString>

class PaymentDay;
class PaymentPdf;
class QPagedPaintDevice;

// One receipt per subject, each on an A4 page of its own, in the schedule's order: the
// session's date, the subject number and workstation, the amount in figures, the paid
// attempt and the seed, and blank lines for the subject's name, signature and date. The
// receipt is framed in the top half of the page with a dashed line to cut along.
namespace PaymentReceipts {

inline const QString Title = QStringLiteral("Receipt of payment");

QByteArray pdf(const PaymentDay &day);
// The same pages drawn on a device (a printer).
void draw(const PaymentDay &day, QPagedPaintDevice *device);

} // namespace PaymentReceipts
