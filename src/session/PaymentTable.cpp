#include "session/PaymentTable.h"

#include "session/CsvFile.h"
#include "session/CsvWriter.h"
#include "session/Payment.h"
#include "session/Workbook.h"

namespace {

const QString SheetName = QStringLiteral("payments");

} // namespace

bool PaymentTable::write(const QList<QStringList> &rows, const std::optional<QString> &csvPath,
                         const std::optional<QString> &workbookPath, QString *error, QString *warning)
{
    Workbook book;
    if (workbookPath && !book.open(*workbookPath, error))
        return false;
    CsvFile csv;
    if (csvPath && !csv.open(*csvPath, Payment::header(), error))
        return false;
    const int sheet = workbookPath ? book.addSheet(SheetName, Payment::header(), Payment::numericColumns()) : -1;
    for (const QStringList &row : rows) {
        if (csvPath)
            csv.addRow(row);
        if (workbookPath)
            book.addRow(sheet, row);
    }
    if (csvPath && !csv.commit(error))
        return false;
    return !workbookPath || book.close(error, warning);
}

QByteArray PaymentTable::csv(const QList<QStringList> &rows)
{
    CsvWriter table(Payment::header());
    for (const QStringList &row : rows)
        table.addRow(row);
    return table.bytes();
}
