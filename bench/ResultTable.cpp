#include "ResultTable.h"

#include <algorithm>

void ResultTable::section(const QString &title)
{
    m_rows.append({true, title, {}, {}, Verdict::Info});
}

void ResultTable::row(const QString &figure, const QString &measured, const QString &target, Verdict verdict)
{
    m_rows.append({false, figure, measured, target, verdict});
    if (verdict == Verdict::Miss)
        ++m_misses;
}

void ResultTable::print(std::FILE *out) const
{
    qsizetype wf = 6, wm = 8, wt = 6;
    for (const Row &r : m_rows) {
        if (r.heading)
            continue;
        wf = std::max(wf, r.figure.size());
        wm = std::max(wm, r.measured.size());
        wt = std::max(wt, r.target.size());
    }
    const auto line = [&](const QString &f, const QString &m, const QString &t, const QString &v) {
        std::fprintf(out, "| %s | %s | %s | %s |\n", qPrintable(f.leftJustified(wf)),
                     qPrintable(m.leftJustified(wm)), qPrintable(t.leftJustified(wt)),
                     qPrintable(v.leftJustified(6)));
    };
    line(QStringLiteral("Figure"), QStringLiteral("Measured"), QStringLiteral("Target"), QStringLiteral("Result"));
    line(QString(wf, QLatin1Char('-')), QString(wm, QLatin1Char('-')), QString(wt, QLatin1Char('-')),
         QString(6, QLatin1Char('-')));
    for (const Row &r : m_rows) {
        if (r.heading) {
            line(QStringLiteral("**%1**").arg(r.figure), QString(), QString(), QString());
            continue;
        }
        const QString verdict = r.verdict == Verdict::Pass ? QStringLiteral("PASS")
            : r.verdict == Verdict::Miss                   ? QStringLiteral("MISS")
                                                           : QStringLiteral("-");
        line(r.figure, r.measured, r.target, verdict);
    }
}
