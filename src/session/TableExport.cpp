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

namespace {

void tell(TableExport::Result &result, const QString &message)
{
    result.findings.append({Finding::Severity::Plain, QString(), 0, message});
}

} // namespace

// The outputs begun, and which tables they hold.
struct TableExport::Outputs
{
    TableOutputs out;
    QList<bool> wanted; // by the tables of ExportTables::all()
    QList<int> numbers; // their numbers in out; -1 for a table not wanted
    bool payoffs = false; // a wanted table tells the payoffs shown
};

TableExport::Result TableExport::run(const QStringList &logs, const Options &options)
{
    Result result;
    Outputs outputs;
    if (!begin(options, outputs, result))
        return result;
    // Each row goes to its outputs as it is made.
    QList<ExportTables::Rows> tables;
    for (qsizetype t = 0; t < outputs.wanted.size(); ++t) {
        const int number = outputs.numbers[t];
        tables.append(outputs.wanted[t] ? ExportTables::Rows([&outputs, number](const QStringList &row) {
            outputs.out.addRow(number, row);
        })
                                        : ExportTables::Rows());
    }
    bool failed = false;
    for (qsizetype k = 0; k < logs.size(); ++k) {
        if (options.progress && !options.progress(k, logs.size())) {
            result.cancelled = true;
            return result; // outputs are discarded: nothing is put in place
        }
        LabLog log;
        if (!read(logs[k], options, outputs.payoffs, &log, result))
            failed = true;
        if (failed)
            continue; // nothing will be written: only the problems of the rest are told
        ExportTables::rowsOf(log, tables);
    }
    if (!failed)
        result.written = finish(options, outputs, result);
    return result;
}

bool TableExport::begin(const Options &options, Outputs &outputs, Result &result)
{
    const QList<ExportTables::Definition> tables = ExportTables::all();
    QString error;
    const bool book = !options.workbook.isEmpty();
    if (book && !outputs.out.openWorkbook(options.workbook, &error)) {
        tell(result, error);
        return false;
    }
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const ExportTables::Definition &table = tables[t];
        const QString csv = options.csvFiles.value(t);
        const bool wanted = book || !csv.isEmpty();
        outputs.wanted.append(wanted);
        outputs.numbers.append(!wanted ? -1
                                       : outputs.out.addTable(table.name, table.header(), table.numericColumns(),
                                                              table.dateTimeColumns(), csv, &error));
        if (wanted && outputs.numbers.last() < 0) {
            tell(result, error);
            return false;
        }
    }
    if (book) {
        const ExportTables::Definition sheet = Codebook::sheet();
        const int codebook = outputs.out.addTable(sheet.name, sheet.header(), {}, {}, QString(), &error);
        for (const QStringList &row : Codebook::rows())
            outputs.out.addRow(codebook, row);
    }
    outputs.payoffs = book || outputs.wanted[1] || outputs.wanted[2] || outputs.wanted[5] || outputs.wanted[6]
        || outputs.wanted[7];
    return true;
}

bool TableExport::read(const QString &path, const Options &options, bool payoffs, LabLog *log, Result &result)
{
    if (const std::optional<Finding> unread = LabLogReader::load(path, log)) {
        result.findings.append(*unread);
        return false;
    }
    RunJudge::judge(log, options.dataFile, 0);
    const LogAdmission admission = LogAdmission::admit(log, options.force);
    result.findings += admission.findings;
    bool exported = true;
    if (!admission.admitted) {
        ++result.notAdmitted;
        exported = false;
    }
    if (const std::optional<Finding> unread = payoffs ? LogPayoffs::loadShown(log, options.dataFile) : std::nullopt) {
        result.findings.append(*unread);
        exported = false;
    }
    return exported;
}

bool TableExport::finish(const Options &options, Outputs &outputs, Result &result)
{
    QString error;
    if (!options.codebook.isEmpty() && !OutputFile::save(options.codebook, Codebook::markdown().toUtf8(), &error)) {
        tell(result, QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(options.codebook), error));
        return false;
    }
    QString warning;
    if (!outputs.out.commit(&error, &warning)) {
        tell(result, error);
        return false;
    }
    if (!warning.isEmpty())
        result.findings.append({Finding::Severity::Warning, QString(), 0, warning});
    return true;
}
