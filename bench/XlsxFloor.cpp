// xlsx-floor FOLDER LOGS OUT.xlsx: the floor under treelab export --xlsx for the study
// that StudyBenchmarks makes (LOGS copies of one log, subjects 1 to LOGS, in FOLDER):
// the same cells written straight to libxlsxwriter, in the same order and options
// (constant memory, a scratch folder, bold header rows frozen, numbers as numbers,
// date-time cells), with every cell made ready before the clock starts. Prints
// "<seconds>" of the writing alone: libxlsxwriter's own cost for that workbook.
//
// The cells are those of the first log, made by the session's code once; each copy's
// rows are written from them with its own log path and subject number, the only cells
// in which the study's logs differ.
#include "session/Codebook.h"
#include "session/ExportTables.h"
#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"
#include "session/RunJudge.h"
#include "session/Workbook.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One cell as libxlsxwriter takes it.
struct Cell
{
    enum class Kind { Empty, Text, Number, DateTime, LogPath, Subject };
    Kind kind = Kind::Empty;
    std::string text;
    double number = 0;
    lxw_datetime time{};
};

using Row = std::vector<Cell>;

struct Sheet
{
    QString name;
    QStringList header;
    std::vector<Row> rows; // of one log, or the codebook's
    lxw_worksheet *sheet = nullptr;
};

// As Workbook::addRow reads a field: times and numbers where the column holds them.
Cell cellOf(const ExportTables::Definition &table, int column, const QString &field)
{
    Cell cell;
    const QString &name = table.columns.value(column).name;
    if (field.isEmpty())
        return cell;
    if (name == QLatin1String("log")) {
        cell.kind = Cell::Kind::LogPath;
        return cell;
    }
    if (name == QLatin1String("subject")) {
        cell.kind = Cell::Kind::Subject;
        return cell;
    }
    if (table.dateTimeColumns().contains(column)) {
        const QDateTime time = QDateTime::fromString(field, Qt::ISODateWithMs);
        if (time.isValid()) {
            cell.kind = Cell::Kind::DateTime;
            cell.time = {time.date().year(), time.date().month(), time.date().day(), time.time().hour(),
                         time.time().minute(), time.time().second() + time.time().msec() / 1000.0};
            return cell;
        }
    }
    bool isNumber = false;
    const double value = table.numericColumns().contains(column) ? field.toDouble(&isNumber) : 0.0;
    if (isNumber) {
        cell.kind = Cell::Kind::Number;
        cell.number = value;
        return cell;
    }
    cell.kind = Cell::Kind::Text;
    cell.text = field.toStdString();
    return cell;
}

void writeRow(lxw_worksheet *sheet, lxw_row_t row, const Row &cells, const std::string &path, double subject,
              lxw_format *dateTime)
{
    for (lxw_col_t c = 0; c < lxw_col_t(cells.size()); ++c) {
        const Cell &cell = cells[c];
        switch (cell.kind) {
        case Cell::Kind::Empty: break;
        case Cell::Kind::Text: worksheet_write_string(sheet, row, c, cell.text.c_str(), nullptr); break;
        case Cell::Kind::LogPath: worksheet_write_string(sheet, row, c, path.c_str(), nullptr); break;
        case Cell::Kind::Number: worksheet_write_number(sheet, row, c, cell.number, nullptr); break;
        case Cell::Kind::Subject: worksheet_write_number(sheet, row, c, subject, nullptr); break;
        case Cell::Kind::DateTime: {
            lxw_datetime time = cell.time;
            worksheet_write_datetime(sheet, row, c, &time, dateTime);
            break;
        }
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "Usage: xlsx-floor FOLDER LOGS OUT.xlsx\n");
        return 2;
    }
    const QString folder = arguments[1];
    const int logs = arguments[2].toInt();
    const auto logPath = [&](int subject) { return QDir(folder).filePath(QStringLiteral("o1%1btinp.01").arg(subject)); };

    // The cells of the first log and of the codebook, made by the session's code.
    LabLog log;
    if (LabLogReader::load(logPath(1), &log)) {
        std::fprintf(stderr, "xlsx-floor: cannot read %s\n", qPrintable(logPath(1)));
        return 1;
    }
    RunJudge::judge(&log, QString(), 0);
    LogPayoffs::loadShown(&log, QString());
    const QList<ExportTables::Definition> tables = ExportTables::all();
    std::vector<Sheet> sheets;
    sheets.reserve(std::size_t(tables.size()) + 1); // the sinks hold on to the tables' sheets
    sheets.resize(std::size_t(tables.size()));
    QList<ExportTables::Rows> sinks;
    for (qsizetype t = 0; t < tables.size(); ++t) {
        Sheet &sheet = sheets[std::size_t(t)];
        sheet.name = tables[t].name;
        sheet.header = tables[t].header();
        sinks.append([&sheet, &table = tables[t]](const QStringList &fields) {
            Row row;
            for (qsizetype c = 0; c < fields.size(); ++c)
                row.push_back(cellOf(table, int(c), fields[c]));
            sheet.rows.push_back(std::move(row));
        });
    }
    ExportTables::rowsOf(log, sinks);
    const ExportTables::Definition codebook = Codebook::sheet();
    Sheet &book = sheets.emplace_back();
    book.name = codebook.name;
    book.header = codebook.header();
    for (const QStringList &fields : Codebook::rows()) {
        Row row;
        for (const QString &field : fields) {
            Cell cell;
            if (!field.isEmpty()) {
                cell.kind = Cell::Kind::Text;
                cell.text = field.toStdString();
            }
            row.push_back(cell);
        }
        book.rows.push_back(std::move(row));
    }
    std::vector<std::string> paths;
    for (int subject = 1; subject <= logs; ++subject)
        paths.push_back(logPath(subject).toStdString());
    QTemporaryDir scratch;
    const std::string scratchPath = scratch.path().toStdString();
    const std::string out = arguments[3].toStdString();

    const auto start = std::chrono::steady_clock::now();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char *>(scratchPath.c_str());
    lxw_workbook *workbook = workbook_new_opt(out.c_str(), &options);
    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format *dateTime = workbook_add_format(workbook);
    format_set_num_format(dateTime, Workbook::DateTimeFormat);
    for (Sheet &sheet : sheets) {
        sheet.sheet = workbook_add_worksheet(workbook, sheet.name.toUtf8().constData());
        worksheet_freeze_panes(sheet.sheet, 1, 0);
        for (qsizetype c = 0; c < sheet.header.size(); ++c)
            worksheet_write_string(sheet.sheet, 0, lxw_col_t(c), sheet.header[c].toUtf8().constData(), bold);
    }
    // The codebook first, as the export writes it when it begins; then log after log.
    for (std::size_t r = 0; r < book.rows.size(); ++r)
        writeRow(book.sheet, lxw_row_t(r + 1), book.rows[r], std::string(), 0, dateTime);
    std::vector<lxw_row_t> next(sheets.size(), 1);
    for (int subject = 1; subject <= logs; ++subject) {
        for (std::size_t t = 0; t + 1 < sheets.size(); ++t)
            for (const Row &row : sheets[t].rows)
                writeRow(sheets[t].sheet, next[t]++, row, paths[std::size_t(subject - 1)], subject, dateTime);
    }
    const lxw_error closed = workbook_close(workbook);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (closed != LXW_NO_ERROR) {
        std::fprintf(stderr, "xlsx-floor: %s\n", lxw_strerror(closed));
        return 1;
    }
    std::printf("%.3f\n", seconds.count());
    return 0;
}
