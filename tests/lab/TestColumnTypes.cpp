#include "LabFolders.h"

#include <QDir>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using LabFolders::report;
using LabFolders::treelab;

// Every table treelab export writes, as CSV files and as the sheets of the workbook, read
// back from three recordings of the whole experiment: with its companion record, with the
// companion as the previous version wrote it (no press and no box lines), and the log
// alone beside its payoff file. The tables and their types are taken from the codebook the
// same export writes. A column name must hold one kind of value in every table that has it,
// the kind the codebook states, and its workbook cells must be of that one kind, so that R,
// pandas and a spreadsheet read it alike wherever it stands.
namespace {

enum class Kind { Integer, Number, DateTime, Text };

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Integer: return QStringLiteral("integer");
    case Kind::Number: return QStringLiteral("number");
    case Kind::DateTime: return QStringLiteral("date-time");
    case Kind::Text: break;
    }
    return QStringLiteral("text");
}

// What a field looks like to a reader that guesses types from the values, as read.csv does.
Kind kindOf(const QString &value)
{
    static const QRegularExpression integer(QStringLiteral("^-?[0-9]+$"));
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+\\.[0-9]+$"));
    static const QRegularExpression time(
        QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3}[+-][0-9]{2}:[0-9]{2}$"));
    return integer.match(value).hasMatch() ? Kind::Integer
        : number.match(value).hasMatch()   ? Kind::Number
        : time.match(value).hasMatch()     ? Kind::DateTime
                                           : Kind::Text;
}

// The kind of a whole column: whole numbers among decimals make numbers, anything else text.
Kind joined(Kind a, Kind b)
{
    if (a == b)
        return a;
    const auto numeric = [](Kind k) { return k == Kind::Integer || k == Kind::Number; };
    return numeric(a) && numeric(b) ? Kind::Number : Kind::Text;
}

// Whether values of kind seen may stand in a column of the type stated.
bool fits(Kind seen, Kind stated)
{
    return seen == stated || stated == Kind::Text || (seen == Kind::Integer && stated == Kind::Number);
}

struct Table
{
    QString name;
    QString option;
    QMap<QString, Kind> stated; // by column, as the codebook says
};

// The tables of the codebook in Markdown: "## name (`--option FILE.csv`, worksheet `name`)"
// and a row "| `column` | type | ..." for each of their columns.
QList<Table> tablesOf(const QString &codebook)
{
    static const QRegularExpression heading(QStringLiteral("^## (\\w+) \\(`(--\\w+) FILE\\.csv`"));
    static const QRegularExpression row(QStringLiteral("^\\| `(\\w+)` \\| ([a-z-]+) \\|"));
    const QHash<QString, Kind> kinds{{QStringLiteral("integer"), Kind::Integer},
                                     {QStringLiteral("number"), Kind::Number},
                                     {QStringLiteral("date-time"), Kind::DateTime},
                                     {QStringLiteral("text"), Kind::Text}};
    QList<Table> tables;
    for (const QString &line : codebook.split(QLatin1Char('\n'))) {
        if (const QRegularExpressionMatch m = heading.match(line); m.hasMatch())
            tables.append({m.captured(1), m.captured(2), {}});
        else if (const QRegularExpressionMatch c = row.match(line); c.hasMatch() && !tables.isEmpty())
            tables.last().stated.insert(c.captured(1), kinds.value(c.captured(2), Kind::Text));
    }
    return tables;
}

QByteArray unzipped(const QString &zip, const QString &member)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member});
    process.waitForFinished(30000);
    return process.readAllStandardOutput();
}

// The attribute values of every element named element in xml, in order.
QList<QXmlStreamAttributes> elements(const QByteArray &xml, const QString &element)
{
    QList<QXmlStreamAttributes> found;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == element)
            found.append(reader.attributes());
    return found;
}

// The workbook's sheets by name, each as its columns by header with the kinds of their
// cells: text cells, date-time cells (a number in a date format) and numbers.
QMap<QString, QMap<QString, QSet<Kind>>> sheetsOf(const QString &book)
{
    QStringList shared; // the shared strings, where the writer uses them
    {
        QXmlStreamReader reader(unzipped(book, QStringLiteral("xl/sharedStrings.xml")));
        while (!reader.atEnd())
            if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("si"))
                shared.append(reader.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    QSet<int> dateStyles;
    {
        QSet<QString> dateFormats;
        for (const QXmlStreamAttributes &format : elements(unzipped(book, QStringLiteral("xl/styles.xml")), QStringLiteral("numFmt")))
            if (format.value(QLatin1String("formatCode")).contains(QLatin1String("yy")))
                dateFormats.insert(format.value(QLatin1String("numFmtId")).toString());
        QXmlStreamReader reader(unzipped(book, QStringLiteral("xl/styles.xml")));
        int style = 0;
        bool inCellStyles = false;
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.isStartElement() && reader.name() == QLatin1String("cellXfs"))
                inCellStyles = true;
            else if (reader.isEndElement() && reader.name() == QLatin1String("cellXfs"))
                inCellStyles = false;
            else if (inCellStyles && reader.isStartElement() && reader.name() == QLatin1String("xf")) {
                const QString id = reader.attributes().value(QLatin1String("numFmtId")).toString();
                if (dateFormats.contains(id) || (id.toInt() >= 14 && id.toInt() <= 22))
                    dateStyles.insert(style);
                ++style;
            }
        }
    }
    QHash<QString, QString> targets; // by relationship id
    for (const QXmlStreamAttributes &rel : elements(unzipped(book, QStringLiteral("xl/_rels/workbook.xml.rels")), QStringLiteral("Relationship")))
        targets.insert(rel.value(QLatin1String("Id")).toString(), rel.value(QLatin1String("Target")).toString());
    QMap<QString, QMap<QString, QSet<Kind>>> sheets;
    for (const QXmlStreamAttributes &sheet : elements(unzipped(book, QStringLiteral("xl/workbook.xml")), QStringLiteral("sheet"))) {
        const QString target = targets.value(sheet.value(QLatin1String("r:id")).toString());
        QXmlStreamReader reader(unzipped(book, QStringLiteral("xl/") + target));
        QMap<QString, QSet<Kind>> &columns = sheets[sheet.value(QLatin1String("name")).toString()];
        QHash<QString, QString> header; // by column letters
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String("c"))
                continue;
            const QString ref = reader.attributes().value(QLatin1String("r")).toString();
            const QString type = reader.attributes().value(QLatin1String("t")).toString();
            const int style = reader.attributes().value(QLatin1String("s")).toInt();
            const QString letters = ref.left(ref.indexOf(QRegularExpression(QStringLiteral("[0-9]"))));
            const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            if (ref.mid(letters.size()) == QLatin1String("1")) {
                header.insert(letters, type == QLatin1String("s") ? shared.value(text.toInt()) : text);
                continue;
            }
            const Kind kind = !type.isEmpty() && type != QLatin1String("n") ? Kind::Text
                : dateStyles.contains(style)                             ? Kind::DateTime
                                                                         : Kind::Number;
            columns[header.value(letters)].insert(kind);
        }
    }
    return sheets;
}

} // namespace

class TestColumnTypes : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<Table> m_tables;
    QString m_book;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The whole experiment's log in a folder of its own: with the companion record of the
    // version asked ("new", "old"), or beside its payoff file ("bare"). The log's path.
    QString recorded(const QString &version)
    {
        const QString folder = LabFolders::workstation(m_dir.path(), version, " 2 \r\n", LabFolders::wholeExperimentLog());
        const QString log = QDir(folder).filePath(QStringLiteral("o199btinp.01"));
        QByteArray companion;
        for (const QByteArray &line : LabFolders::fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION)).split('\n'))
            if (!line.isEmpty()
                && (version == QLatin1String("new") || (!line.contains("\"type\":\"press\"") && !line.contains("\"type\":\"box\""))))
                companion += line + '\n';
        if (version != QLatin1String("bare"))
            LabFolders::putFile(log + QStringLiteral(".jsonl"),
                                companion.replace("@START@", "2009-03-04T00:08:32.500+00:00").replace("@HOST@", "lab-07"));
        return log;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!LabFolders::wholeExperimentLog().isEmpty(), "tests/window/expected/whole-experiment.log is missing");
        const QStringList logs{recorded(QStringLiteral("new")), recorded(QStringLiteral("old")), recorded(QStringLiteral("bare"))};
        const auto codebook = treelab(QStringList{QStringLiteral("export")} + logs
                                      + QStringList{QStringLiteral("--codebook"), path(QStringLiteral("codebook.md"))});
        QVERIFY2(codebook.exitCode == 0, qPrintable(report(codebook)));
        m_tables = tablesOf(QString::fromUtf8(LabFolders::fileBytes(path(QStringLiteral("codebook.md")))));
        QVERIFY(m_tables.size() >= 8);
        QStringList arguments = QStringList{QStringLiteral("export")} + logs;
        for (const Table &table : std::as_const(m_tables))
            arguments << table.option << path(table.name + QStringLiteral(".csv"));
        m_book = path(QStringLiteral("tables.xlsx"));
        arguments << QStringLiteral("--xlsx") << m_book;
        const auto run = treelab(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
    }

    // Each column name: one type stated in every table, values of that type in every CSV
    // file, and the same kind of values wherever it stands.
    void oneTypePerColumnNameInTheCsvFiles()
    {
        QMap<QString, QStringList> stated, seen; // by column name: "table: kind"
        for (const Table &table : std::as_const(m_tables)) {
            bool wellFormed = false;
            const QList<QStringList> rows
                = LabFolders::readCsv(QString::fromUtf8(LabFolders::fileBytes(path(table.name + QStringLiteral(".csv")))), &wellFormed);
            QVERIFY2(wellFormed && rows.size() > 1, qPrintable(table.name));
            const QStringList header = rows.first();
            QCOMPARE(QStringList(table.stated.keys()), [&] { QStringList h = header; h.sort(); return h; }());
            for (qsizetype c = 0; c < header.size(); ++c) {
                std::optional<Kind> kind;
                for (qsizetype r = 1; r < rows.size(); ++r)
                    if (!rows[r].value(c).isEmpty())
                        kind = kind ? joined(*kind, kindOf(rows[r][c])) : kindOf(rows[r][c]);
                const Kind type = table.stated.value(header[c]);
                stated[header[c]].append(table.name + QStringLiteral(": ") + kindName(type));
                if (!kind)
                    continue; // empty in these recordings
                QVERIFY2(fits(*kind, type), qPrintable(QStringLiteral("%1.%2 is stated %3 but holds %4")
                                                           .arg(table.name, header[c], kindName(type), kindName(*kind))));
                seen[header[c]].append(table.name + QStringLiteral(": ") + kindName(*kind));
            }
        }
        QVERIFY(stated.value(QStringLiteral("level")).size() >= 4);
        for (auto it = stated.cbegin(); it != stated.cend(); ++it) {
            const auto kinds = [](const QStringList &list) {
                QSet<QString> set;
                for (const QString &entry : list)
                    set.insert(entry.section(QStringLiteral(": "), 1));
                return set;
            };
            QVERIFY2(kinds(*it).size() == 1, qPrintable(it.key() + QStringLiteral(" is stated ") + it->join(QStringLiteral(", "))));
            QVERIFY2(kinds(seen.value(it.key())).size() <= 1,
                     qPrintable(it.key() + QStringLiteral(" holds ") + seen.value(it.key()).join(QStringLiteral(", "))));
        }
    }

    // The workbook: a sheet for each table and the codebook, and a column name's cells of
    // one kind in every sheet, the kind of its type (a text that looks like a number stays text).
    void oneKindOfCellPerColumnNameInTheWorkbook()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            QSKIP("unzip is not installed here");
        const QMap<QString, QMap<QString, QSet<Kind>>> sheets = sheetsOf(m_book);
        QHash<QString, QMap<QString, Kind>> stated; // by sheet; the codebook's own columns are texts
        for (const Table &table : std::as_const(m_tables)) {
            QVERIFY2(sheets.contains(table.name), qPrintable(table.name));
            stated.insert(table.name, table.stated);
        }
        QVERIFY(sheets.contains(QStringLiteral("codebook")));
        QHash<QString, QSet<Kind>> cells; // by column name, over every sheet
        for (auto sheet = sheets.cbegin(); sheet != sheets.cend(); ++sheet) {
            for (auto column = sheet->cbegin(); column != sheet->cend(); ++column) {
                QVERIFY2(column->size() == 1, qPrintable(sheet.key() + QLatin1Char('.') + column.key()));
                const Kind kind = *column->cbegin();
                const Kind type = stated.value(sheet.key()).value(column.key(), Kind::Text);
                const Kind cell = type == Kind::Integer ? Kind::Number : type;
                QVERIFY2(kind == cell, qPrintable(QStringLiteral("%1.%2 is %3, its cells %4")
                                                      .arg(sheet.key(), column.key(), kindName(type), kindName(kind))));
                cells[column.key()].insert(kind);
            }
        }
        QCOMPARE(sheets.value(QStringLiteral("events")).value(QStringLiteral("time")), QSet<Kind>{Kind::DateTime});
        // The text that looks like a number is a text cell.
        QCOMPARE(sheets.value(QStringLiteral("runs")).value(QStringLiteral("program_version")), QSet<Kind>{Kind::Text});
        for (auto it = cells.cbegin(); it != cells.cend(); ++it)
            QVERIFY2(it->size() == 1, qPrintable(it.key()));
        QCOMPARE(cells.value(QStringLiteral("level")), QSet<Kind>{Kind::Text});
    }
};

QTEST_GUILESS_MAIN(TestColumnTypes)
#include "TestColumnTypes.moc"
