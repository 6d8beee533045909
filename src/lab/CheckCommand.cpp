#include "lab/CheckCommand.h"

#include "lab/CommandLine.h"
#include "window/logic/IntegerConversion.h"
#include "window/logic/PayoffFile.h"
#include "window/logic/TextsTranslation.h"

#include "record/InputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString at(qint64 line, qint64 column)
{
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

bool after(qint64 line, qint64 column, qint64 endLine, qint64 endColumn)
{
    return line > endLine || (line == endLine && column > endColumn);
}

QString badNumberText(const PayoffFile::BadNumber &bad)
{
    const QString what = bad.status == PayoffReader::Status::OutOfRange
        ? QStringLiteral("%1 lies outside the range -32767 to 32767")
        : QStringLiteral("\"%1\" is not a whole number");
    const QString place = bad.position == 1
        ? QStringLiteral("the set number of record %1").arg(bad.record)
        : QStringLiteral("number %1 of 65 in record %2").arg(bad.position).arg(bad.record);
    return what.arg(QString::fromLatin1(bad.text)) + QStringLiteral(" (%1)").arg(place);
}

// The 64 payoffs in rows of eight, as the subject sees them.
QString payoffRows(const std::array<qint16, PayoffFile::PayoffCount> &payoffs)
{
    QString text;
    for (int row = 0; row < PayoffFile::PayoffCount / 8; ++row) {
        text += QStringLiteral("  %1").arg(QStringLiteral("p(%1)-p(%2)").arg(row * 8).arg(row * 8 + 7),
                                         -12);
        for (int k = row * 8; k < row * 8 + 8; ++k)
            text += PayoffFile::displayText(payoffs[k]).rightJustified(7);
        text += QLatin1Char('\n');
    }
    return text;
}

// A cause that spoils every number of the file, told in one line rather than as a
// finding for each number: a UTF-8 byte order mark before the first number, or
// semicolons between the numbers. Empty when there is none (or the file cannot be read:
// the scan says why).
QString wholeFileCause(const QString &path)
{
    QFile file;
    if (!InputFile::open(file, path, nullptr))
        return QString();
    const QByteArray head = file.read(64 * 1024);
    if (head.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("%1 begins with a UTF-8 byte order mark (an editor saved it as \"UTF-8 with "
                              "BOM\"): the program reads the mark as part of the first number and "
                              "fails on it. Save the file again as plain text (ANSI, or UTF-8 without "
                              "a BOM).")
            .arg(native(path));
    static const QRegularExpression semicolon(QStringLiteral("\\d[ \\t]*;[ \\t]*[-+]?\\d"));
    if (semicolon.match(QString::fromLatin1(head)).hasMatch())
        return QStringLiteral("%1 has semicolons between its numbers (as a spreadsheet saves a CSV file "
                              "where the decimal separator is a comma): the program separates numbers "
                              "only by commas, blanks, tabs and line breaks. Save the file again with "
                              "commas or blanks between the numbers.")
            .arg(native(path));
    return QString();
}

// The arguments read: the payoff file and the set of --set. An exit status when the
// command ends there (help shown, or a usage error).
std::optional<int> readArguments(const QStringList &arguments, QString *path, std::optional<qint16> *wanted)
{
    QCommandLineParser parser;
    const QCommandLineOption setOption(QStringLiteral("set"), QStringLiteral("parameter set"),
                                       QStringLiteral("N"));
    parser.addOption(setOption);
    if (const auto done = CommandLine::parse(parser, arguments, CheckCommand::help()))
        return *done;
    const QString command = arguments.value(0);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return CommandLine::usageError(command, positional.isEmpty()
                                                    ? QStringLiteral("no DATAFILE given")
                                                    : QStringLiteral("give one DATAFILE only"));
    if (parser.isSet(setOption)) {
        const IntegerConversion set = IntegerConversion::fromText(parser.value(setOption));
        if (!set.ok())
            return CommandLine::usageError(
                command, QStringLiteral("--set \"%1\" is not a whole number from -32768 to 32767")
                             .arg(parser.value(setOption)));
        *wanted = set.value;
    }
    *path = positional.first();
    return std::nullopt;
}

// The record the program uses for --set N, when it gets that far.
const PayoffFile::ScannedRecord *usedRecord(const PayoffFile::Scan &scan, const std::optional<qint16> &wanted,
                                            const PayoffFile::SetResult &program)
{
    if (!wanted || !program.ok || *wanted == 0)
        return nullptr;
    for (const PayoffFile::ScannedRecord &record : scan.records)
        if (record.setKnown && record.set == *wanted)
            return &record;
    return nullptr;
}

// Said of a finding at line and column when the program stops reading before it.
QString unreadNote(const PayoffFile::ScannedRecord *used, const std::optional<qint16> &wanted, qint64 line,
                   qint64 column)
{
    return used && after(line, column, used->endLine, used->endColumn)
        ? QStringLiteral(" [after the record of set %1: the program does not read it]").arg(*wanted)
        : QString();
}

// The count of records, each record with its set and place, and the sets in order.
QString recordList(const QString &path, const PayoffFile::Scan &scan)
{
    QString text = QStringLiteral("%1: %2 complete record%3")
                       .arg(native(path), QString::number(scan.records.size()),
                            scan.records.size() == 1 ? QString() : QStringLiteral("s"));
    text += scan.incomplete ? QStringLiteral(" and an incomplete one.\n") : QStringLiteral(".\n");
    for (qsizetype k = 0; k < scan.records.size(); ++k) {
        const PayoffFile::ScannedRecord &record = scan.records[k];
        text += QStringLiteral("  record %1  set %2  %3\n")
                    .arg(k + 1, 3)
                    .arg(record.setKnown ? QString::number(record.set) : QStringLiteral("?"), 6)
                    .arg(at(record.line, record.column));
    }
    QStringList sets;
    for (const PayoffFile::ScannedRecord &record : scan.records)
        sets.append(record.setKnown ? QString::number(record.set) : QStringLiteral("?"));
    if (!sets.isEmpty())
        text += QStringLiteral("Sets in the order of the file: %1\n").arg(sets.join(QStringLiteral(", ")));
    return text;
}

// What the program would stop at.
QStringList failuresOf(const PayoffFile::Scan &scan, const PayoffFile::ScannedRecord *used,
                       const std::optional<qint16> &wanted)
{
    QStringList failures;
    for (const PayoffFile::BadNumber &bad : scan.badNumbers)
        failures.append(QStringLiteral("%1: %2%3")
                            .arg(at(bad.line, bad.column), badNumberText(bad),
                                 unreadNote(used, wanted, bad.line, bad.column)));
    if (scan.incomplete)
        failures.append(QStringLiteral("%1: the file ends in the middle of a record: the record "
                                       "of set %2 that begins there has %3 of its 65 numbers%4")
                            .arg(at(scan.last.line, scan.last.column))
                            .arg(scan.last.set)
                            .arg(scan.last.numbers)
                            .arg(unreadNote(used, wanted, scan.last.line, scan.last.column)));
    if (scan.records.isEmpty() && !scan.incomplete && scan.badNumbers.isEmpty())
        failures.append(QStringLiteral("the file holds no record, so no parameter set but 0 can be "
                                       "used"));
    return failures;
}

// What the program would pass over: a set again, a record of set 0.
QStringList notesOf(const PayoffFile::Scan &scan)
{
    QStringList notes;
    for (const PayoffFile::ScannedRecord &record : scan.records) {
        if (record.firstOfSet >= 0) {
            const PayoffFile::ScannedRecord &first = scan.records[record.firstOfSet];
            notes.append(QStringLiteral("%1: set %2 again; the program uses the first record of "
                                        "set %2 (%3) and never reads this one")
                             .arg(at(record.line, record.column))
                             .arg(record.set)
                             .arg(at(first.line, first.column)));
        } else if (record.setKnown && record.set == 0) {
            notes.append(QStringLiteral("%1: a record of set 0, which the program never reads: "
                                        "with parameter set 0 it reads nothing and every payoff "
                                        "is £0")
                             .arg(at(record.line, record.column)));
        }
    }
    return notes;
}

QString findingsText(const QStringList &failures, const QStringList &notes)
{
    if (failures.isEmpty() && notes.isEmpty())
        return QStringLiteral("Every record is complete, every number is a whole number from "
                              "-32767 to 32767 and no set repeats.\n");
    QString text = QStringLiteral("Findings:\n");
    for (const QString &finding : failures)
        text += QStringLiteral("  %1.\n").arg(finding);
    for (const QString &finding : notes)
        text += QStringLiteral("  %1.\n").arg(finding);
    return text;
}

// What the program does given set wanted: the message it stops with, or the record it
// uses and the payoffs as the subject sees them.
QString setReport(qint16 wanted, const PayoffFile::SetResult &program, const PayoffFile::ScannedRecord *used)
{
    if (!program.ok)
        return QStringLiteral("Set %1: the program would stop with this message:\n  %2\n")
            .arg(QString::number(wanted), program.error);
    QString text;
    if (wanted == 0) {
        text += QStringLiteral("Set 0: the program opens the file, reads nothing, and "
                               "every payoff is £0.\n");
    } else {
        QString before;
        if (!program.setsBefore.isEmpty()) {
            QStringList names;
            for (const qint16 set : program.setsBefore)
                names.append(QString::number(set));
            before = QStringLiteral(", after the record%1 of set%1 %2")
                         .arg(names.size() == 1 ? QString() : QStringLiteral("s"),
                              names.join(QStringLiteral(", ")));
        }
        text += QStringLiteral("Set %1: the program uses the record at %2%3.\n")
                    .arg(QString::number(wanted),
                         used ? at(used->line, used->column) : QStringLiteral("?"), before);
    }
    text += QStringLiteral("Payoffs as the subject sees them, p(0) to p(63) from left to "
                           "right:\n");
    text += payoffRows(program.payoffs);
    return text;
}

// A workstation's data folder: the translation the program would load from it, what it
// translates and what it leaves in English.
int translationReport(const QString &folder)
{
    TextsTranslation texts;
    const TextsTranslation::Outcome outcome = texts.load(folder);
    const QString path = native(TextsTranslation::pathIn(folder));
    if (outcome == TextsTranslation::Outcome::English) {
        CommandLine::out(QStringLiteral("%1: no translation: the subjects' texts are English, the "
                                        "payoffs in pounds (\"£12\").\n").arg(path));
        return CommandLine::Success;
    }
    if (outcome == TextsTranslation::Outcome::Refused) {
        CommandLine::out(QStringLiteral("The program would not start: %1\n").arg(texts.error()));
        return CommandLine::Finding;
    }
    const TextsTranslation::Coverage coverage = texts.coverage();
    const QString name = QLocale(texts.language()).nativeLanguageName();
    QString text = QStringLiteral("%1: a translation into %2%3, SHA-256 %4.\n")
                       .arg(path, texts.language(),
                            name.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(name), texts.sha256());
    text += QStringLiteral("  %1 of the window's %2 texts translated, %3 missing.\n")
                .arg(coverage.translated)
                .arg(coverage.translated + coverage.missing.size())
                .arg(coverage.missing.size());
    texts.install(); // for the payoffs as the subject sees them
    text += QStringLiteral("  Payoffs as the subject sees them: a gain %1, zero %2, a loss %3.\n")
                .arg(PayoffFile::displayText(12), PayoffFile::displayText(0), PayoffFile::displayText(-3));
    if (!coverage.missing.isEmpty()) {
        text += QStringLiteral("Shown in English, as the translation has no text for them:\n");
        for (const QString &missing : coverage.missing)
            text += QStringLiteral("  %1\n").arg(missing);
    }
    CommandLine::out(text);
    return coverage.missing.isEmpty() ? CommandLine::Success : CommandLine::Finding;
}

} // namespace

QString CheckCommand::help()
{
    return QStringLiteral(
        "Usage: treelab check DATAFILE [--set N]\n"
        "       treelab check DATA_FOLDER\n"
        "\n"
        "Given a workstation's data folder, reports the translation of the subjects' texts\n"
        "in it (texts.qm): its language, how many of the window's texts it translates and\n"
        "which it leaves in English, and the payoffs as it writes them; or that the texts\n"
        "are English, or why the program would refuse the file.\n"
        "\n"
        "Reads the payoff file DATAFILE number by number with the experiment program's own\n"
        "reader and lists its records (65 whole numbers each: the parameter set number, then\n"
        "the payoffs of p(0) to p(63)) with the line and column where each begins. It reports:\n"
        "  - a record whose set number an earlier record has already (the program uses the\n"
        "    first and never reads the later one);\n"
        "  - a record of set 0, which the program never reads (set 0 pays 0 everywhere);\n"
        "  - a number that is not a whole number, or lies outside -32767 to 32767;\n"
        "  - a last record with fewer than 65 numbers;\n"
        "  - in one line instead, a file that begins with a UTF-8 byte order mark or has\n"
        "    semicolons between its numbers.\n"
        "A path that is not a regular file (a folder, a FIFO, a device) is refused unread.\n"
        "\n"
        "Options:\n"
        "  --set N     Also say whether the program, given parameter set N, finds it, and\n"
        "              show its 64 payoffs as the subject will see them. N is read as the\n"
        "              program reads the Parameter Set field.\n"
        "  -h, --help  Show this help.\n"
        "\n"
        "Exit status: 0 when the program can use the file; 1 when it would fail on it (a bad\n"
        "number or an incomplete record anywhere, a file that cannot be read or holds no\n"
        "record; with --set N, exactly when the program would fail for set N: it stops\n"
        "reading at the first record of set N, so what comes after it is reported but does\n"
        "not count); 2 for a usage error. Repeated sets and a record of set 0 are reported\n"
        "and do not fail the check. For DATA_FOLDER: 1 when the program would refuse its\n"
        "texts.qm or the translation leaves a text in English.\n");
}

int CheckCommand::run(const QStringList &arguments)
{
    QString path;
    std::optional<qint16> wanted;
    if (const auto done = readArguments(arguments, &path, &wanted))
        return *done;
    if (QFileInfo(path).isDir() && !wanted)
        return translationReport(path);
    if (const QString cause = wholeFileCause(path); !cause.isEmpty()) {
        CommandLine::out(cause + QLatin1Char('\n'));
        return CommandLine::Finding;
    }
    const PayoffFile::Scan scan = PayoffFile::scan(path);
    if (!scan.ok) {
        CommandLine::out(scan.error + QLatin1Char('\n'));
        return CommandLine::Finding;
    }
    const PayoffFile::SetResult program = wanted ? PayoffFile::readSet(path, *wanted)
                                                 : PayoffFile::SetResult{};
    const PayoffFile::ScannedRecord *used = usedRecord(scan, wanted, program);

    const QStringList failures = failuresOf(scan, used, wanted);
    QString text = recordList(path, scan) + findingsText(failures, notesOf(scan));
    int status = failures.isEmpty() ? CommandLine::Success : CommandLine::Finding;
    if (wanted) {
        text += QLatin1Char('\n') + setReport(*wanted, program, used);
        status = program.ok ? CommandLine::Success : CommandLine::Finding;
    }
    CommandLine::out(text);
    return status;
}
