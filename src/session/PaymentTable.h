#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The payments table (Payment::header, the rows of PaymentList::rows) as treelab pay and
// the room window's Pay both write it: a CSV file (CsvWriter's form) and, where one is
// named, the worksheet "payments" of a workbook. Both are begun before a row is written;
// the CSV file is put in place first, then the workbook, so a table that cannot be begun
// leaves every old file whole.
class PaymentTable
{
public:
    // csvPath: none when nullopt; workbookPath likewise. A path given empty is a path
    // that cannot be written. False, with *error set, at the first output that fails.
    // *warning tells of texts cut to a cell in the workbook.
    static bool write(const QList<QStringList> &rows, const std::optional<QString> &csvPath,
                      const std::optional<QString> &workbookPath, QString *error, QString *warning);

    // The table as its CSV file holds it.
    static QByteArray csv(const QList<QStringList> &rows);
};
