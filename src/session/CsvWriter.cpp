#include "session/CsvWriter.h"

#include "session/OutputFile.h"

CsvWriter::CsvWriter(const QStringList &header)
    : m_columns(header.size())
{
    append(header);
}

void CsvWriter::addRow(const QStringList &fields)
{
    m_bytes += line(fields, m_columns);
    ++m_rows;
}

void CsvWriter::append(const QStringList &fields)
{
    m_bytes += line(fields, fields.size());
}

QByteArray CsvWriter::line(const QStringList &fields, qsizetype columns)
{
    QStringList quoted;
    quoted.reserve(std::max(fields.size(), columns));
    for (const QString &text : fields)
        quoted.append(field(text));
    while (quoted.size() < columns)
        quoted.append(QString());
    QByteArray bytes = quoted.join(QLatin1Char(',')).toUtf8();
    bytes += '\n';
    return bytes;
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
