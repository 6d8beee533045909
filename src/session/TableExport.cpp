#include "session/TableExport.h"

#include "session/Codebook.h"
#include "session/ExportTables.h"
#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogAdmission.h"
#include "session/LogPayoffs.h"
#include "session/RunJudge.h"
#include "session/OutputFile.h"
#include "session/TableOutputs.h"

#include <QDir>

TableExport::Result TableExport::run(const QStringList &logs, const Options &options)
{
    Result result;
    const auto tell = [&](const QString &message) {
        result.findings.append({Finding::Severity::Plain, QString(), 0, message});
    };
    const QList<ExportTables::Definition> tables = ExportTables::all();
    TableOutputs out;
    QString error;
    const bool book = !options.workbook.isEmpty();
    if (book && !out.openWorkbook(options.workbook, &error)) {
        tell(error);
        return result;
    }
    QList<bool> wanted;
    QList<int> numbers;
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const ExportTables::Definition &table = tables[t];
        const QString csv = options.csvFiles.value(t);
        wanted.append(book || !csv.isEmpty());
        numbers.append(!wanted.last() ? -1
                                      : out.addTable(table.name, table.header(), table.numericColumns(),
                                                     table.dateTimeColumns(), csv, &error));
        if (wanted.last() && numbers.last() < 0) {
            tell(error);
            return result;
        }
    }
    if (book) {
        const ExportTables::Definition sheet = Codebook::sheet();
        const int codebook = out.addTable(sheet.name, sheet.header(), {}, {}, QString(), &error);
        for (const QStringList &row : Codebook::rows())
            out.addRow(codebook, row);
    }
    const bool payoffs = book || wanted[1] || wanted[2] || wanted[5];
    bool failed = false;
    for (qsizetype k = 0; k < logs.size(); ++k) {
        if (options.progress && !options.progress(k, logs.size())) {
            result.cancelled = true;
            return result; // out is discarded: nothing is put in place
        }
        LabLog log;
        if (const std::optional<Finding> unread = LabLogReader::load(logs[k], &log)) {
            result.findings.append(*unread);
            failed = true;
            continue;
        }
        RunJudge::judge(&log, options.dataFile, 0);
        const LogAdmission admission = LogAdmission::admit(&log, options.force);
        result.findings += admission.findings;
        if (!admission.admitted) {
            ++result.notAdmitted;
            failed = true;
        }
        if (const std::optional<Finding> unread = payoffs ? LogPayoffs::loadShown(&log, options.dataFile)
                                                          : std::nullopt) {
            result.findings.append(*unread);
            failed = true;
        }
        if (failed)
            continue; // nothing will be written: only the problems of the rest are told
        const QList<QList<QStringList>> rows = ExportTables::rowsOf(log, wanted);
        for (qsizetype t = 0; t < rows.size(); ++t)
            for (const QStringList &row : rows[t])
                out.addRow(numbers[t], row);
    }
    if (failed)
        return result;
    if (!options.codebook.isEmpty() && !OutputFile::save(options.codebook, Codebook::markdown().toUtf8(), &error)) {
        tell(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(options.codebook), error));
        return result;
    }
    QString warning;
    if (!out.commit(&error, &warning)) {
        tell(error);
        return result;
    }
    if (!warning.isEmpty())
        result.findings.append({Finding::Severity::Warning, QString(), 0, warning});
    result.written = true;
    return result;
}
