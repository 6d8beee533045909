#pragma once

#include <QByteArray>
#include <QString>

class PaymentDay;
class PaymentPdf;
class QPagedPaintDevice;

// The schedule of payments for a finance office, A4 portrait: the title, the session's
// date, the folders paid, the seed and the draw rule; one row per subject ordered by
// workstation (workstation, subject, paid attempt, payoff, show-up fee, amount and an
// empty box for the payee's signature), the header of the table on every page; the total
// and lines for the experimenter's name, signature and date; "page 1 of 3" below each page.
namespace PaymentSchedule {

inline const QString Title = QStringLiteral("Schedule of payments");

QByteArray pdf(const PaymentDay &day);
// The same pages drawn on a device (a printer).
void draw(const PaymentDay &day, QPagedPaintDevice *device);

} // namespace PaymentSchedule
