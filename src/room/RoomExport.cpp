#include "room/RoomExport.h"

#include "session/ExportTables.h"
#include "session/LabLog.h"
#include "session/OutputCheck.h"
#include "session/TableOutputs.h"
#include "session/Workbook.h"

#include <QDir>

namespace {

Finding error(const QString &message)
{
    return {Finding::Severity::Error, QString(), 0, message};
}

} // namespace

RoomExport::Result RoomExport::to(const QString &folder, const QStringList &logs, const std::function<bool(int)> &step)
{
    Result result;
    const QDir dir(folder);
    const QString events = dir.filePath(EventsFile);
    const QString attempts = dir.filePath(AttemptsFile);
    const QString book = Workbook::available() ? dir.filePath(WorkbookFile) : QString();
    QStringList outputs{events, attempts};
    if (!book.isEmpty())
        outputs.append(book);
    if (const QString refused = OutputCheck::refusal(outputs, logs, QString()); !refused.isEmpty()) {
        result.findings.append(error(refused + QStringLiteral("; nothing written")));
        return result;
    }
    TableOutputs out;
    QString why;
    if (!book.isEmpty() && !out.openWorkbook(book, &why)) {
        result.findings.append(error(why));
        return result;
    }
    const auto addTable = [&](const ExportTables::Definition &table, const QString &csv) {
        return out.addTable(table.name, table.header, table.numericColumns, csv, &why);
    };
    const int eventTable = addTable(ExportTables::events(), events);
    const int attemptTable = eventTable < 0 ? -1 : addTable(ExportTables::attempts(), attempts);
    if (attemptTable < 0) {
        result.findings.append(error(why));
        return result;
    }
    bool failed = false;
    for (qsizetype k = 0; k < logs.size(); ++k) {
        if (!step(int(k))) {
            result.cancelled = true;
            return result; // out is discarded: nothing is put in place
        }
        LabLog log;
        if (!LabLog::load(logs[k], &log, &why)) {
            result.findings.append(error(why));
            failed = true;
            continue;
        }
        log.judge(QString(), 0);
        const LabLog::Admission admission = log.admit(false);
        result.findings += admission.findings;
        if (!admission.admitted || !log.loadShownPayoffs(QString(), &why)) {
            if (admission.admitted)
                result.findings.append(error(why));
            failed = true;
        }
        if (failed)
            continue; // nothing will be written: only the problems of the rest are told
        for (const QStringList &row : ExportTables::eventRows(log))
            out.addRow(eventTable, row);
        for (const QStringList &row : ExportTables::attemptRows(log))
            out.addRow(attemptTable, row);
    }
    if (failed) {
        result.findings.append(error(QStringLiteral("nothing written")));
        return result;
    }
    QString warning;
    if (!out.commit(&why, &warning)) {
        result.findings.append(error(why));
        return result;
    }
    if (!warning.isEmpty())
        result.findings.append({Finding::Severity::Warning, QString(), 0, warning});
    result.written = true;
    for (const QString &file : std::as_const(outputs))
        result.files.append(QDir::toNativeSeparators(file));
    return result;
}
