#include "lab/Table.h"

#include "lab/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef DT_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace {

// What a cell holds at most (Excel's limit); a longer text is cut with a warning.
constexpr qsizetype MostCellCharacters = 32767;
constexpr qsizetype MostRows = 1048576;

} // namespace

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
    const auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
#ifndef DT_HAVE_XLSXWRITER
    Q_UNUSED(tables);
    Q_UNUSED(warning);
    return fail(QStringLiteral("this treelab was built without libxlsxwriter; use the CSV files"));
#else
    for (const Table *table : tables)
        if (table->m_rows.size() + 1 > MostRows)
            return fail(QStringLiteral("the %1 table has %2 rows, more than a worksheet holds; use the CSV file")
                            .arg(table->m_name).arg(table->m_rows.size()));
    // libxlsxwriter writes a file of its own, with its scratch files, in a temporary folder
    // (by default Windows would put the scratch files in the root of C:, which a user who
    // is not an administrator may not write). The finished workbook is then put in place
    // like the CSV tables, so an interrupted export leaves the old one whole.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(scratch.errorString());
    const QString stagingName = scratch.filePath(QStringLiteral("workbook.xlsx"));
    // libxlsxwriter takes UTF-8 names on Windows.
#ifdef Q_OS_WIN
    const QByteArray name = stagingName.toUtf8();
    const QByteArray scratchName = scratch.path().toUtf8();
#else
    const QByteArray name = QFile::encodeName(stagingName);
    const QByteArray scratchName = QFile::encodeName(scratch.path());
#endif
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char *>(scratchName.constData());
    lxw_workbook *workbook = workbook_new_opt(name.constData(), &options);
    if (!workbook)
        return fail(QStringLiteral("the workbook could not be created"));
    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_error status = LXW_NO_ERROR;
    QStringList cut;
    const auto text = [&](lxw_worksheet *sheet, lxw_row_t row, lxw_col_t column, QString value) {
        if (value.size() > MostCellCharacters) {
            cut.append(QStringLiteral("row %1").arg(row + 1));
            value.truncate(MostCellCharacters);
        }
        // A text cell: never read as a formula, whatever it begins with.
        const lxw_error written = worksheet_write_string(sheet, row, column, value.toUtf8().constData(),
                                                         row == 0 ? bold : nullptr);
        if (written != LXW_NO_ERROR && status == LXW_NO_ERROR)
            status = written;
    };
    for (const Table *table : tables) {
        lxw_worksheet *sheet = workbook_add_worksheet(workbook, table->m_name.toUtf8().constData());
        worksheet_freeze_panes(sheet, 1, 0);
        for (qsizetype c = 0; c < table->m_header.size(); ++c)
            text(sheet, 0, lxw_col_t(c), table->m_header[c]);
        for (qsizetype r = 0; r < table->m_rows.size(); ++r) {
            const QStringList &row = table->m_rows[r];
            for (qsizetype c = 0; c < row.size(); ++c) {
                if (row[c].isEmpty())
                    continue;
                bool isNumber = false;
                const double value = table->m_numeric.contains(int(c)) ? row[c].toDouble(&isNumber) : 0.0;
                if (isNumber)
                    worksheet_write_number(sheet, lxw_row_t(r + 1), lxw_col_t(c), value, nullptr);
                else
                    text(sheet, lxw_row_t(r + 1), lxw_col_t(c), row[c]);
            }
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (status == LXW_NO_ERROR)
        status = closed;
    if (status != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(status)));
    QFile staged(stagingName);
    if (!staged.open(QIODevice::ReadOnly))
        return fail(staged.errorString());
    QString why;
    if (!OutputFile::save(path, staged.readAll(), &why))
        return fail(why);
    if (!cut.isEmpty() && warning)
        *warning = QStringLiteral("texts longer than the %1 characters a cell holds were cut in the workbook (%2); "
                                "the CSV files hold them whole")
                     .arg(MostCellCharacters).arg(cut.join(QStringLiteral(", ")));
    return true;
#endif
}
