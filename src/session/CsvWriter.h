#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A table written as comma-separated values that R's read.csv, pandas' read_csv and
// Stata's import delimited read without options: UTF-8 without a byte order mark, a
// header row first, every row ended by LF. A field that holds a comma, a double quote,
// CR or LF is put in double quotes with its quotes doubled; its line breaks stay as they
// are inside the quotes. Every other field is written bare.
class CsvWriter
{
public:
    explicit CsvWriter(const QStringList &header);

    // A row with as many fields as the header; missing fields are written empty.
    void addRow(const QStringList &fields);

    qsizetype rowCount() const { return m_rows; } // not counting the header
    const QByteArray &bytes() const { return m_bytes; }

    // Writes the table to path, replacing the file. False, with *error set, on failure.
    bool save(const QString &path, QString *error) const;

    static QString field(const QString &text);
    // One row as written: its fields quoted as need be, padded with empty fields to
    // columns, joined by commas and ended by LF.
    static QByteArray line(const QStringList &fields, qsizetype columns);

private:
    void append(const QStringList &fields);

    qsizetype m_columns = 0;
    qsizetype m_rows = 0;
    QByteArray m_bytes;
};
