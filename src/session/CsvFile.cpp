#include "session/CsvFile.h"

#include "session/CsvWriter.h"

#include <QDir>

bool CsvFile::open(const QString &path, const QStringList &header, QString *error)
{
    m_file.setFileName(path);
    m_columns = header.size();
    if (m_file.open(QIODevice::WriteOnly)) {
        addRow(header);
        return true;
    }
    *error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), m_file.errorString());
    return false;
}

void CsvFile::addRow(const QStringList &fields)
{
    // A write that fails is remembered by QSaveFile, and commit() reports it.
    m_file.write(CsvWriter::line(fields, m_columns));
}

bool CsvFile::commit(QString *error)
{
    if (m_file.commit())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(m_file.fileName()),
                                                       m_file.errorString());
    return false;
}
