#include "lab/CsvWriter.h"

#include "lab/OutputFile.h"

CsvWriter::CsvWriter(const QStringList &header)
    : m_columns(header.size())
{
    append(header);
}

void CsvWriter::addRow(const QStringList &fields)
{
    QStringList row = fields;
    while (row.size() < m_columns)
        row.append(QString());
    append(row);
    ++m_rows;
}

void CsvWriter::append(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &text : fields)
        quoted.append(field(text));
    m_bytes += quoted.join(QLatin1Char(',')).toUtf8();
    m_bytes += '\n';
}

QString CsvWriter::field(const QString &text)
{
    const bool needsQuotes = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
                             || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!needsQuotes)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

bool CsvWriter::save(const QString &path, QString *error) const
{
    QString why;
    if (OutputFile::save(path, m_bytes, &why))
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(path, why);
    return false;
}
