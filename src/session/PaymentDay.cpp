#include "session/PaymentDay.h"

#include "session/Money.h"
#include "session/PaymentList.h"
#include "window/logic/PayoffFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Names compared as people read them: runs of digits by their value, so ws2 before ws10.
int naturalOrder(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            const qulonglong x = a.mid(i, ei - i).toULongLong(), y = b.mid(j, ej - j).toULongLong();
            if (x != y)
                return x < y ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const int c = QString::compare(a.mid(i, 1), b.mid(j, 1), Qt::CaseInsensitive);
        if (c != 0)
            return c;
        ++i;
        ++j;
    }
    return int(a.size() - i) - int(b.size() - j);
}

} // namespace

std::optional<PaymentDay> PaymentDay::of(const PaymentList &list, std::uint32_t seed, qint64 fee,
                                         Findings *findings)
{
    PaymentDay day;
    day.m_seed = seed;
    day.m_fee = fee;
    day.m_currency = Money::currencyOf(PayoffFile::displayText(0));
    bool unknown = false;
    for (const Payment &payment : list.payments()) {
        const std::optional<PaidSubject> paid = payment.paid(seed, fee, findings);
        if (!paid) {
            unknown = true;
            continue;
        }
        day.m_subjects.append(*paid);
    }
    if (unknown)
        return std::nullopt;
    for (const PaidSubject &paid : std::as_const(day.m_subjects))
        if (!paid.payoffText.isEmpty()) {
            day.m_currency = Money::currencyOf(paid.payoffText);
            break;
        }
    return day;
}

QList<PaidSubject> PaymentDay::byWorkstation() const
{
    QList<PaidSubject> ordered = m_subjects;
    std::stable_sort(ordered.begin(), ordered.end(), [](const PaidSubject &a, const PaidSubject &b) {
        const int order = naturalOrder(a.workstation, b.workstation);
        return order != 0 ? order < 0 : a.subject < b.subject;
    });
    return ordered;
}

qint64 PaymentDay::total() const
{
    qint64 sum = 0;
    for (const PaidSubject &paid : m_subjects)
        sum += paid.amount;
    return sum;
}

QString PaymentDay::dates() const
{
    QStringList dates;
    for (const PaidSubject &paid : m_subjects)
        if (!paid.date.isEmpty() && !dates.contains(paid.date))
            dates.append(paid.date);
    return dates.isEmpty() ? QStringLiteral("(no date in the logs)") : dates.join(QStringLiteral(", "));
}

QDateTime PaymentDay::lastWritten() const
{
    QDateTime last;
    for (const PaidSubject &paid : m_subjects)
        if (!last.isValid() || paid.written > last)
            last = paid.written;
    return last;
}

QStringList PaymentDay::folders() const
{
    QStringList folders;
    for (const PaidSubject &paid : byWorkstation()) {
        const QString folder = QDir::toNativeSeparators(QFileInfo(paid.log).path());
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

QList<QStringList> PaymentDay::rows() const
{
    QList<QStringList> rows;
    for (const PaidSubject &paid : m_subjects)
        rows.append(paid.row(m_seed));
    return rows;
}

QString PaymentDay::totalText() const
{
    return QStringLiteral("total for %1 subject%2: %3")
        .arg(m_subjects.size())
        .arg(m_subjects.size() == 1 ? QString() : QStringLiteral("s"))
        .arg(money(total()));
}

QString PaymentDay::money(qint64 pence) const
{
    return Money::shown(pence, m_currency);
}

QString PaymentDay::drawRule() const
{
    return QStringLiteral("Each subject's paid attempt is number k of the attempts they finished, where k is the "
                          "SHA-256 digest of the text \"%1:<subject number>\" read as a number, modulo the number of "
                          "attempts finished, plus 1.")
        .arg(m_seed);
}
