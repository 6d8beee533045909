#include "session/PaymentBatch.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

PaymentBatch PaymentBatch::read(const QStringList &paths, const Options &options)
{
    PaymentBatch batch;
    const auto note = [&](const QString &text) { batch.findings.append({Finding::Severity::Note, QString(), 0, text}); };
    const auto refuse = [&](Finding finding) {
        batch.findings.append(std::move(finding));
        batch.refused = true;
    };
    for (qsizetype k = 0; k < paths.size(); ++k) {
        if (options.progress && !options.progress(k, paths.size())) {
            batch.cancelled = true;
            return batch;
        }
        const QString &path = paths[k];
        LabLog log;
        QString error;
        const QString shown = QDir::toNativeSeparators(path);
        if (!LabLog::load(path, &log, &error)) {
            refuse({Finding::Severity::Plain, QString(), 0, error});
            continue;
        }
        if (log.keptAside() && !options.includeKept) {
            note(QStringLiteral("%1 skipped: a log kept aside when a later run of the same name began "
                                "(--include-kept pays it)").arg(shown));
            continue;
        }
        if (log.headerOnly()) {
            note(QStringLiteral("%1 skipped: it holds its header alone (the program was closed before Start)").arg(shown));
            continue;
        }
        log.judge(options.dataFile, options.attempts);
        LabLog::Admission admission = log.admit(options.force);
        batch.findings += admission.findings;
        if (!admission.admitted) {
            batch.refused = true;
            continue;
        }
        if (!log.loadShownPayoffs(options.dataFile, &error)) {
            refuse({Finding::Severity::Plain, QString(), 0, error});
            continue;
        }
        // Read from the payoff file, not from the companion record: it may have changed since.
        if (!log.companion && QFileInfo(log.payoffPath).lastModified() > QFileInfo(path).lastModified())
            batch.findings.append({Finding::Severity::Warning, QString(), 0,
                                   QStringLiteral("%1 was changed after %2 was last written: the payoffs paid are "
                                                  "those it holds now; make sure they are the ones the subject saw")
                                       .arg(QDir::toNativeSeparators(log.payoffPath), shown)});
        if (!log.complete() && !options.partial)
            refuse({Finding::Severity::Error, shown, 0,
                    QStringLiteral("subject %1 has not finished: %2; give --partial to pay such a run from the "
                                   "attempts it finished")
                        .arg(log.subject()).arg(log.endingText())});
        batch.payments.append(Payment::of(log));
    }
    // In order of subject, then of canonical path, so that two ways of writing one path
    // sort alike; the draw itself depends on neither.
    std::stable_sort(batch.payments.begin(), batch.payments.end(), [](const Payment &a, const Payment &b) {
        return a.subject != b.subject ? a.subject < b.subject : a.canonical < b.canonical;
    });
    for (qsizetype k = 1; k < batch.payments.size(); ++k) {
        const Payment &a = batch.payments[k - 1];
        const Payment &b = batch.payments[k];
        if (a.subject == b.subject)
            refuse({Finding::Severity::Plain, QString(), 0,
                    QStringLiteral("subject %1 has two logs, %2 and %3: each subject is paid once; give the one to pay")
                        .arg(b.subject)
                        .arg(QDir::toNativeSeparators(a.path), QDir::toNativeSeparators(b.path))});
    }
    return batch;
}

Table PaymentBatch::emptyTable()
{
    return Table(QStringLiteral("payments"), Payment::header(), Payment::numericColumns());
}

bool PaymentBatch::draw(std::uint32_t seed, Table *table, Findings *findings) const
{
    bool known = true;
    for (const Payment &payment : payments) {
        QString why;
        const QStringList row = payment.row(seed, &why);
        if (row.isEmpty()) {
            findings->append({Finding::Severity::Plain, QString(), 0, why});
            known = false;
            continue;
        }
        table->addRow(row);
    }
    return known;
}
