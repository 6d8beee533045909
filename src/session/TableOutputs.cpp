#include "session/TableOutputs.h"

bool TableOutputs::openWorkbook(const QString &path, QString *error)
{
    m_book = std::make_unique<Workbook>();
    if (m_book->open(path, error))
        return true;
    m_book.reset();
    return false;
}

int TableOutputs::addTable(const QString &name, const QStringList &header, const QList<int> &numericColumns,
                           const QList<int> &dateTimeColumns, const QString &csvPath, QString *error)
{
    Output output;
    if (!csvPath.isEmpty()) {
        output.csv = std::make_unique<CsvFile>();
        if (!output.csv->open(csvPath, header, error))
            return -1;
    }
    if (m_book)
        output.sheet = m_book->addSheet(name, header, numericColumns, dateTimeColumns);
    m_tables.push_back(std::move(output));
    return int(m_tables.size() - 1);
}

void TableOutputs::addRow(int table, const QStringList &fields)
{
    Output &output = m_tables[std::size_t(table)];
    if (output.csv)
        output.csv->addRow(fields);
    if (output.sheet >= 0)
        m_book->addRow(output.sheet, fields);
}

bool TableOutputs::commit(QString *error, QString *warning)
{
    for (Output &output : m_tables)
        if (output.csv && !output.csv->commit(error))
            return false;
    return !m_book || m_book->close(error, warning);
}
