#include "record/CompanionReader.h"

#include "record/CompanionLog.h"

#include "record/InputFile.h"
#include "record/Windows1252.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

int integer(const QJsonObject &object, const char *key, int none)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isDouble() ? value.toInt(none) : none;
}

bool readRun(const QJsonObject &run, Companion *c, QString *error)
{
    if (run.value(QLatin1String("type")).toString() != QLatin1String("run")
        || run.value(QLatin1String("schema")).toString() != QLatin1String(CompanionLog::Schema)) {
        *error = QStringLiteral("its first line is not the run line of a companion record");
        return false;
    }
    c->version = integer(run, "version", 0);
    if (c->version != CompanionLog::SchemaVersion) {
        *error = QStringLiteral("it is of version %1 of the format; this tool reads version %2")
                     .arg(c->version).arg(CompanionLog::SchemaVersion);
        return false;
    }
    c->subject = integer(run, "subject", 0);
    c->attempts = integer(run, "attempts", 0);
    c->seed = integer(run, "seed", 0);
    c->programVersion = run.value(QLatin1String("programVersion")).toString();
    c->header = run.value(QLatin1String("header")).toString();
    c->start = QDateTime::fromString(run.value(QLatin1String("start")).toString(), Qt::ISODateWithMs);
    const QJsonObject translation = run.value(QLatin1String("texts")).toObject();
    c->textsLanguage = translation.value(QLatin1String("language")).toString();
    c->textsSha256 = translation.value(QLatin1String("sha256")).toString();
    const QJsonArray payoffs = run.value(QLatin1String("payoffs")).toArray();
    const QJsonArray texts = run.value(QLatin1String("payoffTexts")).toArray();
    if (payoffs.size() != 64 || texts.size() != 64) {
        *error = QStringLiteral("its run line does not hold the 64 payoffs and their texts");
        return false;
    }
    for (int k = 0; k < 64; ++k) {
        c->payoffs[std::size_t(k)] = payoffs[k].toInt();
        c->payoffTexts.append(texts[k].toString());
    }
    return true;
}

} // namespace

QString CompanionReader::logOf(const QString &path, Qt::CaseSensitivity cs)
{
    if (!path.endsWith(QLatin1String(".jsonl"), cs))
        return QString();
    const QString log = path.chopped(6);
    return QFileInfo(log).isFile() && LogReader::readHeader(log) ? log : QString();
}

bool CompanionReader::read(const QString &path, Companion *companion, QString *error)
{
    QByteArray bytes;
    if (!InputFile::readAll(path, MostBytes, QStringLiteral("a companion record"), &bytes, error))
        return false;
    QString why;
    if (!parse(bytes, companion, &why)) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    }
    return true;
}

bool CompanionReader::parse(const QByteArray &bytes, Companion *c, QString *error)
{
    *c = Companion{};
    Position at;
    return readOn(bytes, &at, c, error);
}

bool CompanionReader::readOn(const QByteArray &bytes, Position *at, Companion *c, QString *error)
{
    qint64 &number = at->lines;
    qsizetype &pos = at->pos;
    while (pos < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            break; // the last line cut short: the format says to pass it over
        ++number;
        const QByteArray line = bytes.mid(pos, end - pos);
        pos = end + 1;
        QJsonParseError parsed;
        const QJsonDocument document = QJsonDocument::fromJson(line, &parsed);
        if (parsed.error != QJsonParseError::NoError || !document.isObject()) {
            if (number == 1) {
                *error = QStringLiteral("line 1 is not a JSON object");
                return false;
            }
            c->problems.append({number, QStringLiteral("not a JSON object: %1").arg(parsed.errorString())});
            continue;
        }
        const QJsonObject object = document.object();
        if (number == 1) {
            if (!readRun(object, c, error))
                return false;
            continue;
        }
        const QString type = object.value(QLatin1String("type")).toString();
        if (type == QLatin1String("record")) {
            CompanionRecord r;
            r.ms = qint64(object.value(QLatin1String("ms")).toDouble());
            r.stamp = qint64(object.value(QLatin1String("stamp")).toDouble());
            r.kind = object.value(QLatin1String("kind")).toString();
            r.move = object.value(QLatin1String("move")).toString();
            r.level = integer(object, "level", 0);
            r.index = integer(object, "index", -1);
            r.text = object.value(QLatin1String("text")).toString();
            r.line = number;
            c->records.append(r);
        } else if (type == QLatin1String("payoff")) {
            c->shown.append({integer(object, "attempt", 0), integer(object, "index", -1),
                             integer(object, "payoff", 0), object.value(QLatin1String("text")).toString(),
                             number});
        } else if (type == QLatin1String("press")) {
            c->presses.append({qint64(object.value(QLatin1String("ms")).toDouble()), integer(object, "attempt", 0),
                               object.value(QLatin1String("control")).toString(), number});
        } else if (type == QLatin1String("box")) {
            c->boxes.append({qint64(object.value(QLatin1String("shownMs")).toDouble()),
                             qint64(object.value(QLatin1String("ms")).toDouble()), integer(object, "attempt", 0),
                             object.value(QLatin1String("icon")).toString(),
                             object.value(QLatin1String("title")).toString(),
                             object.value(QLatin1String("text")).toString(), number});
        } else if (type == QLatin1String("note")) {
            c->notes.append({qint64(object.value(QLatin1String("ms")).toDouble()), integer(object, "attempt", 0),
                             integer(object, "level", 0), integer(object, "index", -1),
                             object.value(QLatin1String("text")).toString(), number});
        } else if (type == QLatin1String("draw")) {
            // Written as the shortest text that reads back to the single-precision draw.
            c->draws.append({qint64(object.value(QLatin1String("ms")).toDouble()), integer(object, "attempt", 0),
                             integer(object, "level", 0), integer(object, "index", -1),
                             float(object.value(QLatin1String("r")).toDouble()),
                             object.value(QLatin1String("move")).toString(), number});
        } else if (type == QLatin1String("end")) {
            c->complete = true;
        } else if (type == QLatin1String("exit")) {
            c->exitHow = object.value(QLatin1String("how")).toString();
            c->exitSignal = object.value(QLatin1String("signal")).toString();
            c->exitMs = qint64(object.value(QLatin1String("ms")).toDouble());
        }
    }
    if (number == 0) {
        *error = bytes.isEmpty() ? QStringLiteral("it is empty") : QStringLiteral("its first line is cut short");
        return false;
    }
    return true;
}

QList<LogProblem> CompanionReader::compare(const ParsedLog &log, const Companion &companion)
{
    QList<LogProblem> differences;
    if (log.header && !companion.header.isEmpty()) {
        const QString written = QStringLiteral("%1  %2  %3  %4")
                                    .arg(log.header->subjectNo)
                                    .arg(log.header->paramSetNo)
                                    .arg(log.header->dateText, log.header->clockText);
        if (written != companion.header)
            differences.append({1, QStringLiteral("the header differs from the companion's \"%1\"").arg(companion.header)});
    }
    const qsizetype common = std::min(log.records.size(), companion.records.size());
    for (qsizetype k = 0; k < common; ++k) {
        const LogRecord &r = log.records[k];
        const CompanionRecord &c = companion.records[k];
        const QString move = r.direction == LogRecord::Direction::Left    ? QStringLiteral("L")
                             : r.direction == LogRecord::Direction::Right ? QStringLiteral("R")
                                                                          : QString();
        const int level = r.kind == LogRecord::Kind::Start || r.kind == LogRecord::Kind::Continue ? 0 : r.level;
        // The classic log holds the text in Windows-1252: "?" for what the code page lacks.
        const auto inCodePage = [](const QString &text) { return Windows1252::decode(Windows1252::encode(text)); };
        QString what;
        if (r.kindName() != c.kind)
            what = QStringLiteral("the log has %1, the companion %2 (its line %3)").arg(r.kindName(), c.kind).arg(c.line);
        else if (r.stamp != c.stamp)
            what = QStringLiteral("the time stamp is %1, the companion's %2 (its line %3)").arg(r.stamp).arg(c.stamp).arg(c.line);
        else if (level != c.level || (level != 0 && r.index != c.index) || move != c.move)
            what = QStringLiteral("the node or move differs from the companion's (its line %1)").arg(c.line);
        else if (r.kind == LogRecord::Kind::NotepadContents && r.text != inCodePage(c.text))
            what = QStringLiteral("the notepad text differs from the companion's (its line %1)").arg(c.line);
        if (!what.isEmpty())
            differences.append({r.firstLine, what});
    }
    if (companion.records.size() > log.records.size())
        differences.append({log.lineCount + 1, QStringLiteral("the log ends before %1 records that its companion holds")
                                                   .arg(companion.records.size() - log.records.size())});
    if (log.records.size() > companion.records.size() + 1)
        differences.append({log.records[companion.records.size()].firstLine,
                            QStringLiteral("the companion ends %1 records before the log")
                                .arg(log.records.size() - companion.records.size())});
    return differences;
}
