#pragma once

#include "session/CsvWriter.h"

#include <QList>
#include <QString>
#include <QStringList>

// A table of a treelab command, kept for two readers: comma-separated values, exact for
// R, pandas and Stata (CsvWriter), and a worksheet of an Excel workbook for the people
// who open tables in Excel or LibreOffice. In the workbook every text is a text cell,
// never a formula, and the columns of numbers hold numbers.
class Table
{
public:
    // name: the worksheet's; numericColumns: the indexes of the columns of numbers.
    Table(const QString &name, const QStringList &header, const QList<int> &numericColumns);

    void addRow(const QStringList &fields);

    const CsvWriter &csv() const { return m_csv; }

    // Writes the tables as the worksheets of one workbook (Workbook) at path. False, with
    // *error set, on failure; the old file is then left as it was. *warning tells of texts
    // cut to what a cell holds.
    static bool saveWorkbook(const QString &path, const QList<const Table *> &tables, QString *error,
                             QString *warning);

private:
    QString m_name;
    QStringList m_header;
    QList<int> m_numeric;
    QList<QStringList> m_rows;
    CsvWriter m_csv;
};
