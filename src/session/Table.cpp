#include "session/Table.h"

#include "session/Workbook.h"
Table::Table(const QString &name, const QStringList &header, const QList<int> &numericColumns)
    : m_name(name), m_header(header), m_numeric(numericColumns.begin(), numericColumns.end()), m_csv(header)
{
}

void Table::addRow(const QStringList &fields)
{
    m_csv.addRow(fields);
    m_rows.append(fields);
}

bool Table::saveWorkbook(const QString &path, const QList<const Table *> &tables, QString *error,
                         QString *warning)
{
    Workbook book;
    if (!book.open(path, error))
        return false;
    for (const Table *table : tables) {
        const int sheet = book.addSheet(table->m_name, table->m_header, table->m_numeric);
        for (const QStringList &row : table->m_rows)
            book.addRow(sheet, row);
    }
    return book.close(error, warning);
}
