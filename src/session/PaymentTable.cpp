#include "session/PaymentTable.h"

#include "session/CsvFile.h"
#include "session/CsvWriter.h"
#include "session/Payment.h"
#include "session/Workbook.h"

namespace {

const QString SheetName = QStringLiteral("payments");

} // namespace

Findings PaymentTable::write(const QList<QStringList> &rows, const std::optional<QString> &csvPath,
                             const std::optional<QString> &workbookPath)
{
    QString error;
    const auto failed = [&error] { return Findings{{Finding::Severity::Error, QString(), 0, error}}; };
    Workbook book;
    if (workbookPath && !book.open(*workbookPath, &error))
        return failed();
    CsvFile csv;
    if (csvPath && !csv.open(*csvPath, Payment::header(), &error))
        return failed();
    const int sheet = workbookPath ? book.addSheet(SheetName, Payment::header(), Payment::numericColumns()) : -1;
    for (const QStringList &row : rows) {
        if (csvPath)
            csv.addRow(row);
        if (workbookPath)
            book.addRow(sheet, row);
    }
    if (csvPath && !csv.commit(&error))
        return failed();
    QString warning;
    if (workbookPath && !book.close(&error, &warning))
        return failed();
    if (warning.isEmpty())
        return {};
    return {{Finding::Severity::Warning, QString(), 0, warning}};
}

std::optional<Finding> PaymentTable::failure(const Findings &findings)
{
    for (const Finding &finding : findings)
        if (finding.severity == Finding::Severity::Error)
            return finding;
    return std::nullopt;
}

QByteArray PaymentTable::csv(const QList<QStringList> &rows)
{
    CsvWriter table(Payment::header());
    for (const QStringList &row : rows)
        table.addRow(row);
    return table.bytes();
}
