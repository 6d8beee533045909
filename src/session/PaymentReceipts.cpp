#include "session/PaymentReceipts.h"

#include "session/PaymentDay.h"
#include "session/PaymentPdf.h"

namespace {

constexpr double Left = PaymentPdf::Margin;
constexpr double Width = PaymentPdf::PageWidth - 2 * PaymentPdf::Margin;
constexpr double Top = PaymentPdf::Margin;
constexpr double Height = 125.0;
constexpr double Inset = 8.0;

} // namespace

namespace PaymentReceipts {

namespace {

void drawOn(PaymentPdf &pdf, const PaymentDay &day);

} // namespace

QByteArray pdf(const PaymentDay &day)
{
    return PaymentPdf::bytes(Title, day.lastWritten(), [&day](PaymentPdf &pdf) { drawOn(pdf, day); });
}

void draw(const PaymentDay &day, QPagedPaintDevice *device)
{
    PaymentPdf::onDevice(device, [&day](PaymentPdf &pdf) { drawOn(pdf, day); });
}

namespace {

void drawOn(PaymentPdf &pdf, const PaymentDay &day)
{
    const QList<PaidSubject> subjects = day.byWorkstation();
    const QString dates = day.dates();
    const double x = Left + Inset;
    const double w = Width - 2 * Inset;
    for (qsizetype k = 0; k < subjects.size(); ++k) {
        const PaidSubject &paid = subjects[k];
        if (k > 0)
            pdf.newPage();
        pdf.frame(QRectF(Left, Top, Width, Height));
        double y = Top + Inset;
        pdf.text(QRectF(x, y, w, 10), Title, PaymentPdf::Large);
        y += 12;
        pdf.text(QRectF(x, y, w, 6), QStringLiteral("Session of %1").arg(paid.date.isEmpty() ? dates : paid.date));
        y += 7;
        pdf.text(QRectF(x, y, w, 6),
                 QStringLiteral("Subject %1 at workstation %2").arg(paid.subject).arg(paid.workstation));
        y += 9;
        pdf.text(QRectF(x, y, w, 10), QStringLiteral("Amount received: %1").arg(day.money(paid.amount)),
                 PaymentPdf::Large);
        y += 12;
        const QString how = paid.finished > 0
            ? QStringLiteral("Paid attempt %1 (payoff %2), drawn with seed %3; show-up fee %4")
                  .arg(paid.attempt)
                  .arg(paid.payoffText)
                  .arg(day.seed())
                  .arg(day.money(paid.fee))
            : QStringLiteral("No attempt finished, seed %1; show-up fee %2").arg(day.seed()).arg(day.money(paid.fee));
        pdf.text(QRectF(x, y, w, 12), how + (paid.floored ? QStringLiteral("; a loss larger than the fee is cut off "
                                                                           "at %1").arg(day.money(0))
                                                          : QString()),
                 PaymentPdf::Plain, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
        y += 16;
        for (const QString &label : {QStringLiteral("Name"), QStringLiteral("Signature"), QStringLiteral("Date")}) {
            pdf.text(QRectF(x, y, 28, 10), label + QLatin1Char(':'), PaymentPdf::Plain,
                     Qt::AlignLeft | Qt::AlignBottom);
            pdf.line(x + 28, y + 10, x + w, y + 10);
            y += 14;
        }
        pdf.text(QRectF(x, Top + Height - 8, w, 5),
                 QStringLiteral("receipt %1 of %2").arg(k + 1).arg(subjects.size()), PaymentPdf::Small,
                 Qt::AlignRight | Qt::AlignVCenter);
        pdf.line(0, Top + Height + 8, PaymentPdf::PageWidth, Top + Height + 8, true);
    }
}

} // namespace

} // namespace PaymentReceipts
