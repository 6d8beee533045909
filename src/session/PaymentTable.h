#pragma once

#include "session/Finding.h"

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
    // that cannot be written. What there is to tell: an Error at the first output that
    // fails (then nothing more is put in place), a Warning of texts cut to a cell in the
    // workbook. The messages name the file and say why, with no label of their own.
    static Findings write(const QList<QStringList> &rows, const std::optional<QString> &csvPath,
                          const std::optional<QString> &workbookPath);

    // The first Error of findings, if any: the table was not written.
    static std::optional<Finding> failure(const Findings &findings);

    // The table as its CSV file holds it.
    static QByteArray csv(const QList<QStringList> &rows);
};
