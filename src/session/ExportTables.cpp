#include "session/ExportTables.h"

#include "session/AttemptFacts.h"
#include "window/PayoffFile.h"

namespace {

QString number(int value, int none)
{
    return value == none ? QString() : QString::number(value);
}

QString directionText(LogRecord::Direction direction)
{
    switch (direction) {
    case LogRecord::Direction::Left: return QStringLiteral("L");
    case LogRecord::Direction::Right: return QStringLiteral("R");
    case LogRecord::Direction::None: break;
    }
    return QString();
}

// Milliseconds from each node click to the next node click of the log, from the
// companion's times; -1 where there is no companion or no later click.
QList<qint64> dwellTimes(const LabLog &log)
{
    const QList<LogRecord> &records = log.parsed.records;
    QList<qint64> dwell(records.size(), -1);
    qsizetype previous = -1;
    for (qsizetype k = 0; k < records.size(); ++k) {
        if (records[k].kind != LogRecord::Kind::NodeClick)
            continue;
        if (previous >= 0 && log.companionRecord(previous) && log.companionRecord(k))
            dwell[previous] = log.companionRecord(k)->ms - log.companionRecord(previous)->ms;
        previous = k;
    }
    return dwell;
}

} // namespace

ExportTables::Definition ExportTables::events()
{
    return {QStringLiteral("events"),
            {QStringLiteral("log"), QStringLiteral("subject"), QStringLiteral("set"), QStringLiteral("date"),
             QStringLiteral("attempt"), QStringLiteral("stamp"), QStringLiteral("kind"), QStringLiteral("level"),
             QStringLiteral("index"), QStringLiteral("direction"), QStringLiteral("text"), QStringLiteral("ms"),
             QStringLiteral("time"), QStringLiteral("dwell_ms")},
            {1, 2, 4, 5, 7, 8, 11, 13}};
}

ExportTables::Definition ExportTables::attempts()
{
    return {QStringLiteral("attempts"),
            {QStringLiteral("log"), QStringLiteral("subject"), QStringLiteral("set"), QStringLiteral("attempt"),
             QStringLiteral("d1"), QStringLiteral("c1"), QStringLiteral("d2"), QStringLiteral("c2"),
             QStringLiteral("d3"), QStringLiteral("c3"), QStringLiteral("node"), QStringLiteral("payoff_text"),
             QStringLiteral("payoff"), QStringLiteral("seconds"), QStringLiteral("inspected"),
             QStringLiteral("edits"), QStringLiteral("finished")},
            {1, 2, 3, 10, 12, 13, 14, 15}};
}

QList<QStringList> ExportTables::eventRows(const LabLog &log)
{
    QList<QStringList> rows;
    const LogHeader &header = *log.parsed.header;
    const QList<qint64> dwell = dwellTimes(log);
    for (const AttemptSummary &attempt : log.attempts) {
        for (qsizetype i = attempt.firstRecord; i <= attempt.lastRecord; ++i) {
            const LogRecord &record = log.parsed.records[i];
            const CompanionRecord *exact = log.companionRecord(i);
            const QString time = exact && log.companion->start.isValid()
                ? log.companion->start.addMSecs(exact->ms).toString(Qt::ISODateWithMs)
                : QString();
            rows.append({log.path, QString::number(header.subjectNo),
                           QString::number(header.paramSetNo), header.dateText,
                           QString::number(attempt.number), QString::number(record.stamp),
                           record.kindName(), number(record.level, 0), number(record.index, -1),
                           directionText(record.direction),
                           exact && record.kind == LogRecord::Kind::NotepadContents ? exact->text : record.text,
                           exact ? QString::number(exact->ms) : QString(), time,
                           dwell[i] < 0 ? QString() : QString::number(dwell[i])});
        }
    }
    return rows;
}

QList<QStringList> ExportTables::attemptRows(const LabLog &log)
{
    QList<QStringList> rows;
    const QList<AttemptFacts> facts = AttemptFacts::of(log.parsed.records, log.attempts);
    for (qsizetype k = 0; k < facts.size(); ++k) {
        const AttemptFacts &attempt = facts[k];
        QStringList row{log.path, QString::number(log.subject()), QString::number(log.set()),
                        QString::number(attempt.number)};
        for (int level = 1; level <= 6; ++level) {
            const char move = attempt.move[std::size_t(level)];
            row.append(move ? QString(QLatin1Char(move)) : QString());
        }
        const std::optional<LabLog::Shown> shown = log.shownPayoff(log.attempts[k]);
        row.append(number(attempt.finalPayoffNode, -1));
        row.append(shown ? shown->text : QString());
        row.append(shown ? QString::number(shown->payoff) : QString());
        row.append(attempt.seconds < 0 ? QString() : QString::number(attempt.seconds));
        row.append(QString::number(attempt.inspected));
        row.append(QString::number(attempt.notepadEdits));
        row.append(attempt.continued ? QStringLiteral("yes") : QStringLiteral("no"));
        rows.append(row);
    }
    return rows;
}

