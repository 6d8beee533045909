#include "room/logic/RoomExport.h"

#include "session/ExportTables.h"
#include "session/OutputCheck.h"
#include "session/TableExport.h"
#include "session/Workbook.h"

#include <QDir>

namespace {

Finding error(const QString &message)
{
    return {Finding::Severity::Error, QString(), 0, message};
}

} // namespace

RoomExport::Result RoomExport::to(const QString &folder, const QStringList &logs, const std::function<bool(int)> &step,
                                  bool force)
{
    Result result;
    const QDir dir(folder);
    // Every table treelab export writes, under its own name, the workbook of them all and
    // the codebook.
    TableExport::Options options;
    QStringList outputs;
    for (const ExportTables::Definition &table : ExportTables::all()) {
        options.csvFiles.append(dir.filePath(table.name + QStringLiteral(".csv")));
        outputs.append(options.csvFiles.last());
    }
    if (Workbook::available())
        outputs.append(options.workbook = dir.filePath(WorkbookFile));
    outputs.append(options.codebook = dir.filePath(CodebookFile));
    if (const QString refused = OutputCheck::refusal(outputs, logs, QString()); !refused.isEmpty()) {
        result.findings.append(error(refused + QStringLiteral("; nothing written")));
        return result;
    }
    options.force = force;
    options.progress = [&](qsizetype done, qsizetype) { return step(int(done)); };
    const TableExport::Result exported = TableExport::run(logs, options);
    result.findings = exported.findings;
    result.cancelled = exported.cancelled;
    result.notAdmitted = exported.notAdmitted;
    if (!exported.written) {
        if (!exported.cancelled)
            result.findings.append(error(QStringLiteral("nothing written")));
        return result;
    }
    result.written = true;
    for (const QString &file : std::as_const(outputs))
        result.files.append(QDir::toNativeSeparators(file));
    return result;
}
