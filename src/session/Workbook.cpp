#include "session/Workbook.h"

#include "session/OutputFile.h"

#include <QDateTime>
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

// libxlsxwriter takes UTF-8 names on Windows, the local encoding elsewhere.
QByteArray nativeName(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

} // namespace

// libxlsxwriter writes a file of its own, with its scratch files, in a temporary folder
// (by default Windows would put the scratch files in the root of C:, which a user who is
// not an administrator may not write).
struct Workbook::Staging
{
    QTemporaryDir folder;
    QString file() const { return folder.filePath(QStringLiteral("workbook.xlsx")); }
};

Workbook::Workbook() = default;

Workbook::~Workbook()
{
#ifdef DT_HAVE_XLSXWRITER
    if (m_book)
        workbook_close(m_book); // into the staging folder, which goes with it
#endif
}

bool Workbook::available()
{
#ifdef DT_HAVE_XLSXWRITER
    return true;
#else
    return false;
#endif
}

bool Workbook::open(const QString &path, QString *error)
{
    m_path = path;
    const auto fail = [&](const QString &why) {
        *error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
#ifndef DT_HAVE_XLSXWRITER
    return fail(QStringLiteral("this treelab was built without libxlsxwriter; use the CSV files"));
#else
    m_staging = std::make_unique<Staging>();
    if (!m_staging->folder.isValid())
        return fail(m_staging->folder.errorString());
    const QByteArray name = nativeName(m_staging->file());
    const QByteArray scratch = nativeName(m_staging->folder.path());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char *>(scratch.constData());
    m_book = workbook_new_opt(name.constData(), &options);
    if (!m_book)
        return fail(QStringLiteral("the workbook could not be created"));
    m_bold = workbook_add_format(m_book);
    format_set_bold(m_bold);
    m_dateTime = workbook_add_format(m_book);
    format_set_num_format(m_dateTime, DateTimeFormat);
    return true;
#endif
}

int Workbook::addSheet(const QString &name, const QStringList &header, const QList<int> &numericColumns,
                       const QList<int> &dateTimeColumns)
{
    Sheet sheet;
    sheet.name = name;
    sheet.numeric = QSet<int>(numericColumns.begin(), numericColumns.end());
    sheet.dateTime = QSet<int>(dateTimeColumns.begin(), dateTimeColumns.end());
#ifdef DT_HAVE_XLSXWRITER
    if (m_book) {
        sheet.sheet = workbook_add_worksheet(m_book, name.toUtf8().constData());
        worksheet_freeze_panes(sheet.sheet, 1, 0);
        for (qsizetype c = 0; c < header.size(); ++c)
            writeText(sheet, 0, c, header[c], m_bold);
    }
#else
    Q_UNUSED(header);
#endif
    sheet.rows = 1;
    m_sheets.append(sheet);
    return int(m_sheets.size() - 1);
}

void Workbook::writeText(Sheet &sheet, qsizetype row, qsizetype column, QString value, lxw_format *format)
{
#ifdef DT_HAVE_XLSXWRITER
    if (value.size() > MostCellCharacters) {
        m_cut.append(QStringLiteral("%1 row %2").arg(sheet.name).arg(row + 1));
        value.truncate(MostCellCharacters);
    }
    // A text cell: never read as a formula, whatever it begins with.
    const lxw_error written = worksheet_write_string(sheet.sheet, lxw_row_t(row), lxw_col_t(column),
                                                     value.toUtf8().constData(), format);
    if (written != LXW_NO_ERROR && m_status == LXW_NO_ERROR)
        m_status = written;
#else
    Q_UNUSED(sheet);
    Q_UNUSED(row);
    Q_UNUSED(column);
    Q_UNUSED(value);
    Q_UNUSED(format);
#endif
}

void Workbook::addRow(int number, const QStringList &fields)
{
    Sheet &sheet = m_sheets[number];
    const qsizetype row = sheet.rows++;
    if (!sheet.sheet)
        return;
    if (row >= MostRows) {
        if (m_overflow.isEmpty())
            m_overflow = sheet.name;
        return;
    }
#ifdef DT_HAVE_XLSXWRITER
    for (qsizetype c = 0; c < fields.size(); ++c) {
        if (fields[c].isEmpty())
            continue;
        if (sheet.dateTime.contains(int(c))) {
            // The wall-clock time as the text gives it, in its own UTC offset: a cell holds no zone.
            const QDateTime time = QDateTime::fromString(fields[c], Qt::ISODateWithMs);
            if (time.isValid()) {
                lxw_datetime cell{time.date().year(), time.date().month(), time.date().day(), time.time().hour(),
                                  time.time().minute(), time.time().second() + time.time().msec() / 1000.0};
                worksheet_write_datetime(sheet.sheet, lxw_row_t(row), lxw_col_t(c), &cell, m_dateTime);
                continue;
            }
        }
        bool isNumber = false;
        const double value = sheet.numeric.contains(int(c)) ? fields[c].toDouble(&isNumber) : 0.0;
        if (isNumber)
            worksheet_write_number(sheet.sheet, lxw_row_t(row), lxw_col_t(c), value, nullptr);
        else
            writeText(sheet, row, c, fields[c], nullptr);
    }
#else
    Q_UNUSED(fields);
#endif
}

bool Workbook::close(QString *error, QString *warning)
{
    const auto fail = [&](const QString &why) {
        *error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(m_path), why);
        return false;
    };
#ifndef DT_HAVE_XLSXWRITER
    Q_UNUSED(warning);
    return fail(QStringLiteral("this treelab was built without libxlsxwriter; use the CSV files"));
#else
    if (!m_book)
        return fail(QStringLiteral("the workbook was not begun"));
    lxw_workbook *book = m_book;
    m_book = nullptr;
    const lxw_error closed = workbook_close(book);
    if (!m_overflow.isEmpty())
        return fail(QStringLiteral("the %1 table has more rows than a worksheet holds (%2); use the CSV file")
                        .arg(m_overflow).arg(MostRows));
    if (m_status == LXW_NO_ERROR)
        m_status = closed;
    if (m_status != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(lxw_error(m_status))));
    QString why;
    if (!OutputFile::saveCopy(m_path, m_staging->file(), &why))
        return fail(why);
    if (!m_cut.isEmpty() && warning)
        *warning = QStringLiteral("texts longer than the %1 characters a cell holds were cut in the workbook (%2); "
                                  "the CSV files hold them whole")
                       .arg(MostCellCharacters).arg(m_cut.join(QStringLiteral(", ")));
    return true;
#endif
}
