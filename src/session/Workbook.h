#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// An Excel workbook (.xlsx, Office Open XML) written row by row, for the people who open
// tables in Excel or LibreOffice: every text is a text cell, never a formula, and the
// columns of numbers hold numbers. Rows go to disk as they come (libxlsxwriter's
// constant-memory mode), so a study of any size is written in the memory of one row.
// The workbook is made in a temporary folder and put in place by close(), so an
// interrupted or failed export leaves the old file whole; one never closed is discarded.
class Workbook
{
public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    // Starts the workbook that close() puts at path. False, with *error set, on failure.
    bool open(const QString &path, QString *error);

    // A worksheet with its header row in bold; numericColumns: the indexes of the columns
    // of numbers; dateTimeColumns: those of ISO 8601 times, written as date-time cells of
    // the wall-clock time the text names (a text that is no such time stays text).
    // Returns its number for addRow.
    int addSheet(const QString &name, const QStringList &header, const QList<int> &numericColumns,
                 const QList<int> &dateTimeColumns = {});
    // The next row of the sheet; empty fields stay empty cells.
    void addRow(int sheet, const QStringList &fields);

    // Finishes the workbook and puts it in place. False, with *error set, on failure (the
    // old file is then left as it was). *warning tells of texts cut to what a cell holds.
    bool close(QString *error, QString *warning);

    // Whether this treelab can write workbooks at all (built with libxlsxwriter).
    static bool available();

    // The number format of the date-time cells.
    static constexpr const char *DateTimeFormat = "yyyy-mm-dd hh:mm:ss.000";

private:
    struct Sheet
    {
        QString name;
        lxw_worksheet *sheet = nullptr;
        QSet<int> numeric;
        QSet<int> dateTime;
        qsizetype rows = 0; // written, the header included
    };
    struct Staging;

    void writeText(Sheet &sheet, qsizetype row, qsizetype column, QString value, lxw_format *format);

    QString m_path;
    std::unique_ptr<Staging> m_staging;
    lxw_workbook *m_book = nullptr;
    lxw_format *m_bold = nullptr;
    lxw_format *m_dateTime = nullptr;
    QList<Sheet> m_sheets;
    QStringList m_cut;    // where a text was cut to a cell's size
    QString m_overflow;   // a sheet that had more rows than a worksheet holds
    int m_status = 0;     // libxlsxwriter's first error
};
