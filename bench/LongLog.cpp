#include "LongLog.h"

#include "StudyBenchmarks.h"

#include "record/EventTags.h"
#include "record/LogReader.h"

#include <QDir>
#include <QFile>
#include <QList>

namespace {

// One round of looking while d1 stands clicked: payoff nodes (of one digit, so that the log
// holds as many records as its size allows), the d3 node above the last, d1 again. It
// leaves d1 clicked, nothing pending.
QByteArray round(const QByteArray &stamp, int n)
{
    constexpr int PayoffClicks = 40;
    const QByteArray payoff = EventTags::click(LogReader::levelName(7)).toLatin1();
    const QByteArray notepad = EventTags::NotepadContents.toLatin1();
    const QByteArray note = QByteArray::number(n % 3);
    QByteArray lines;
    int node = 0;
    for (int k = 0; k < PayoffClicks; ++k) {
        node = (n * 7 + k * 3) % 10;
        lines += stamp + payoff + QByteArray::number(node) + "\r\n";
        if (k == 0)
            lines += stamp + notepad + "1 0 " + note + "\r\n"; // d1 left
    }
    const QByteArray d3 = QByteArray::number(node / 4);
    return lines + stamp + EventTags::click(LogReader::levelName(5)).toLatin1() + d3 + "\r\n"
        + stamp + EventTags::click(LogReader::levelName(1)).toLatin1() + "0\r\n"
        + stamp + notepad + "5 " + d3 + ' ' + note + "\r\n"; // d3 left
}

} // namespace

bool LongLog::make(const QString &folder, const QString &templateLog, const QString &payoffFile, int subject,
                   qint64 *records, QString *error)
{
    QFile source(templateLog);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(templateLog, source.errorString());
        return false;
    }
    const QList<QByteArray> lines = source.readAll().split('\n');
    // The looking goes in before each decision at d1, which follows its click on d1.
    const QByteArray decision = EventTags::ConfirmDecisionLeft.left(16).toLatin1();
    QList<qsizetype> before;
    qint64 templateBytes = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        templateBytes += lines[i].size() + 1;
        if (i > 0 && lines[i].contains(decision) && lines[i].trimmed().endsWith(" 1 0")
            && lines[i - 1].contains(EventTags::click(LogReader::levelName(1)).toLatin1()))
            before.append(i);
    }
    if (before.isEmpty() || lines.size() < 2) {
        *error = QStringLiteral("%1 has no decision at d1 after its click").arg(templateLog);
        return false;
    }
    // Each decision's share of the room left, in rounds of its own stamp's length.
    const qint64 share = (LogReader::MostBytes - templateBytes - 64) / before.size();

    QByteArray bytes;
    bytes.reserve(LogReader::MostBytes);
    const qsizetype headerEnd = lines[0].indexOf("  ");
    bytes += QByteArray::number(subject) + lines[0].mid(headerEnd) + '\n';
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (before.contains(i)) {
            const QByteArray stamp = lines[i - 1].left(lines[i - 1].indexOf(' '));
            const qint64 rounds = share / round(stamp, 0).size();
            for (qint64 n = 0; n < rounds; ++n)
                bytes += round(stamp, int(n));
        }
        if (i + 1 == lines.size() && lines[i].isEmpty())
            break;
        bytes += lines[i] + '\n';
    }
    // Read back as the tools read it: every line placed by the rules.
    const ParsedLog parsed = LogReader::parse(bytes);
    if (!parsed.clean()) {
        *error = QStringLiteral("the long log does not read cleanly: %1")
                     .arg(parsed.problems.value(0).message);
        return false;
    }
    *records = parsed.records.size();
    if (!StudyBenchmarks::makeDataFolder(folder, payoffFile, error))
        return false;
    const QDir dir(folder);
    QFile file(dir.filePath(QStringLiteral("o1%1btinp.01").arg(subject)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}
