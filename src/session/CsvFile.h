#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringList>

// A table written as comma-separated values (the form of CsvWriter) row by row, as the
// rows come, through a temporary file beside path: commit() puts it in place, and a file
// never committed is discarded, so a failed or interrupted command leaves the old one
// whole. Memory does not grow with the rows.
class CsvFile
{
public:
    // Begins the file with its header row. False, with *error set, on failure.
    bool open(const QString &path, const QStringList &header, QString *error);
    void addRow(const QStringList &fields);
    // False, with *error set, when the file could not be written.
    bool commit(QString *error);

private:
    QSaveFile m_file;
    qsizetype m_columns = 0;
};
