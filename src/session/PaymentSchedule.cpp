#include "session/PaymentSchedule.h"

#include "session/PaymentDay.h"
#include "session/PaymentPdf.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Left = PaymentPdf::Margin;
constexpr double Width = PaymentPdf::PageWidth - 2 * PaymentPdf::Margin;
constexpr double Top = PaymentPdf::Margin;
constexpr double Bottom = PaymentPdf::PageHeight - 20.0; // the page's number below
constexpr double HeaderHeight = 9.0;
constexpr double RowHeight = 11.0;   // room for a signature
constexpr double EndHeight = 52.0;   // the total and the experimenter's three lines
constexpr double Padding = 1.5;

struct Column
{
    QString heading;
    double width;
    Qt::Alignment align;
};

QList<Column> columns()
{
    return {{QStringLiteral("Workstation"), 26, Qt::AlignLeft},
            {QStringLiteral("Subject"), 16, Qt::AlignRight},
            {QStringLiteral("Paid attempt"), 23, Qt::AlignRight},
            {QStringLiteral("Payoff"), 20, Qt::AlignRight},
            {QStringLiteral("Show-up fee"), 24, Qt::AlignRight},
            {QStringLiteral("Amount"), 24, Qt::AlignRight},
            {QStringLiteral("Signature"), Width - 133, Qt::AlignLeft}};
}

void row(PaymentPdf &pdf, double y, double height, const QStringList &cells, PaymentPdf::Style style)
{
    double x = Left;
    const QList<Column> cols = columns();
    for (qsizetype c = 0; c < cols.size(); ++c) {
        const QRectF box(x, y, cols[c].width, height);
        pdf.frame(box);
        pdf.text(box.adjusted(Padding, 0, -Padding, 0), cells.value(c), style,
                 int(cols[c].align | Qt::AlignVCenter));
        x += cols[c].width;
    }
}

QStringList headings()
{
    QStringList texts;
    for (const Column &column : columns())
        texts.append(column.heading);
    return texts;
}

} // namespace

namespace PaymentSchedule {

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
    const QString folders = QStringLiteral("Folders paid: ") + day.folders().join(QStringLiteral(", "));
    const QString fee = QStringLiteral("Show-up fee: %1 to every subject, with the payoff of the paid attempt; "
                                       "a loss is taken from the fee and an amount is never below %2.")
                            .arg(day.money(day.fee()), day.money(0));
    const double foldersHeight = std::min(pdf.heightOf(folders, Width, PaymentPdf::Plain), 20.0) + 1;
    const double ruleHeight = std::min(pdf.heightOf(day.drawRule(), Width, PaymentPdf::Plain), 16.0) + 1;
    const double feeHeight = std::min(pdf.heightOf(fee, Width, PaymentPdf::Plain), 12.0) + 1;
    const double firstTable = Top + 12 + 6 + foldersHeight + 6 + ruleHeight + feeHeight + 4;
    const double laterTable = Top + 10;

    // Which rows go on which page; the total and the lines go below the last row, or on a
    // page of their own when they do not fit there.
    const auto fits = [](double top) { return int(std::floor((Bottom - top - HeaderHeight) / RowHeight)); };
    QList<int> perPage;
    qsizetype left = subjects.size();
    double top = firstTable;
    do {
        const int here = int(std::min<qsizetype>(left, fits(top)));
        perPage.append(here);
        left -= here;
        top = laterTable;
    } while (left > 0);
    const double lastTop = perPage.size() == 1 ? firstTable : laterTable;
    const bool endApart = lastTop + HeaderHeight + perPage.last() * RowHeight + EndHeight > Bottom;
    const int pages = int(perPage.size()) + (endApart ? 1 : 0);

    qsizetype next = 0;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            pdf.newPage();
        double y;
        if (page == 0) {
            pdf.text(QRectF(Left, Top, Width, 10), Title, PaymentPdf::Large);
            y = Top + 12;
            pdf.text(QRectF(Left, y, Width, 6), QStringLiteral("Session of %1").arg(dates));
            y += 6;
            pdf.text(QRectF(Left, y, Width, foldersHeight), folders, PaymentPdf::Plain,
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
            y += foldersHeight;
            pdf.text(QRectF(Left, y, Width, 6), QStringLiteral("Seed: %1").arg(day.seed()));
            y += 6;
            pdf.text(QRectF(Left, y, Width, ruleHeight), day.drawRule(), PaymentPdf::Plain,
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
            y += ruleHeight;
            pdf.text(QRectF(Left, y, Width, feeHeight), fee, PaymentPdf::Plain,
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
            y = firstTable;
        } else {
            pdf.text(QRectF(Left, Top, Width, 8),
                     QStringLiteral("%1, session of %2, seed %3 (continued)").arg(Title, dates).arg(day.seed()),
                     PaymentPdf::Bold);
            y = laterTable;
        }
        if (page < perPage.size()) {
            row(pdf, y, HeaderHeight, headings(), PaymentPdf::Bold);
            y += HeaderHeight;
            for (int k = 0; k < perPage[page]; ++k, ++next) {
                const PaidSubject &paid = subjects[next];
                const bool drawn = paid.finished > 0;
                row(pdf, y, RowHeight,
                    {paid.workstation, QString::number(paid.subject),
                     drawn ? QString::number(paid.attempt) : QStringLiteral("none"),
                     drawn ? paid.payoffText : QStringLiteral("-"), day.money(paid.fee),
                     day.money(paid.amount) + (paid.floored ? QStringLiteral(" *") : QString()), QString()},
                    PaymentPdf::Plain);
                y += RowHeight;
            }
        }
        if (page == pages - 1) {
            y += 3;
            pdf.text(QRectF(Left, y, Width, 8),
                     QStringLiteral("Total to pay: %1 to %2 subjects").arg(day.money(day.total())).arg(subjects.size()),
                     PaymentPdf::Bold);
            y += 8;
            pdf.text(QRectF(Left, y, Width, 5),
                     QStringLiteral("* a loss larger than the show-up fee, cut off at %1").arg(day.money(0)),
                     PaymentPdf::Small);
            y += 9;
            for (const QString &label : {QStringLiteral("Experimenter's name"), QStringLiteral("Signature"),
                                         QStringLiteral("Date")}) {
                pdf.text(QRectF(Left, y, 45, 8), label + QLatin1Char(':'), PaymentPdf::Plain,
                         Qt::AlignLeft | Qt::AlignBottom);
                pdf.line(Left + 45, y + 8, Left + Width, y + 8);
                y += 10;
            }
        }
        pdf.text(QRectF(Left, PaymentPdf::PageHeight - 15, Width, 6),
                 QStringLiteral("page %1 of %2").arg(page + 1).arg(pages), PaymentPdf::Small,
                 Qt::AlignRight | Qt::AlignVCenter);
    }
}

} // namespace

} // namespace PaymentSchedule
