#pragma once

#include "session/CsvFile.h"
#include "session/Workbook.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The tables of one command, written row by row as they are made: each to its own CSV
// file where one is named, and all as the worksheets of one workbook where one is named.
// Nothing is put in place before commit(); outputs never committed are discarded, so a
// command that fails half way leaves every old file whole.
class TableOutputs
{
public:
    // Before the tables are added: the workbook that will hold them all.
    bool openWorkbook(const QString &path, QString *error);
    // A table with its header; csvPath empty for none. Returns its number for addRow,
    // or -1 with *error set when its CSV file cannot be begun.
    int addTable(const QString &name, const QStringList &header, const QList<int> &numericColumns,
                 const QList<int> &dateTimeColumns, const QString &csvPath, QString *error);
    void addRow(int table, const QStringList &fields);
    // Puts every output in place, the CSV files first. False, with *error set, at the first
    // that fails. *warning tells of texts cut to a cell in the workbook.
    bool commit(QString *error, QString *warning);

private:
    struct Output
    {
        std::unique_ptr<CsvFile> csv;
        int sheet = -1;
    };
    std::unique_ptr<Workbook> m_book;
    std::vector<Output> m_tables;
};
