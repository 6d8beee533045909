#include "session/SetAside.h"

#include "record/DurableFile.h"
#include "record/InputFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString Suffix = QStringLiteral(".aside");
const QString SetWord = QStringLiteral("set aside");
const QString BackWord = QStringLiteral("brought back");
const QString Gap = QStringLiteral("  ");
constexpr qint64 MostBytes = 1 << 20;

// The file's bytes; empty when there is no file. False, with *problem, when it cannot be read.
bool readDecisions(const QString &file, QByteArray *bytes, QString *problem)
{
    if (!QFileInfo::exists(file) && !QFileInfo(file).isSymLink())
        return true;
    return InputFile::readAll(file, MostBytes, QStringLiteral("a log's set-aside record"), bytes, problem);
}

QString timeText(const QDateTime &when)
{
    return when.toString(Qt::ISODate);
}

} // namespace

QString SetAside::fileOf(const QString &log)
{
    return log + Suffix;
}

bool SetAside::isDecisionFile(const QString &name)
{
    return name.endsWith(Suffix, Qt::CaseInsensitive);
}

QString SetAside::logOf(const QString &file)
{
    return isDecisionFile(file) ? file.chopped(Suffix.size()) : QString();
}

std::optional<SetAside::Decision> SetAside::of(const QString &log)
{
    const QString file = fileOf(log);
    QByteArray bytes;
    QString problem;
    if (!readDecisions(file, &bytes, &problem))
        return Decision{QDateTime(), QStringLiteral("%1 cannot be read: %2").arg(QDir::toNativeSeparators(file), problem)};
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return std::nullopt;
    // "<time>  set aside  <reason>" or "<time>  brought back"
    const QString last = lines.last().trimmed();
    const qsizetype gap = last.indexOf(Gap);
    const QDateTime when = QDateTime::fromString(last.left(gap), Qt::ISODate);
    const QString rest = gap < 0 ? QString() : last.mid(gap + Gap.size());
    if (when.isValid() && rest == BackWord)
        return std::nullopt;
    if (when.isValid() && rest.startsWith(SetWord))
        return Decision{when, rest.mid(SetWord.size()).trimmed()};
    return Decision{QDateTime(), QStringLiteral("%1 ends in a line that is no decision: \"%2\"")
                                     .arg(QDir::toNativeSeparators(file), last.left(80))};
}

std::optional<QString> SetAside::setAside(const QString &log, const QString &reason, const QDateTime &when)
{
    const QString oneLine = QString(reason).replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
    if (oneLine.isEmpty())
        return QStringLiteral("give the reason the log is set aside");
    return add(log, timeText(when) + Gap + SetWord + Gap + oneLine);
}

std::optional<QString> SetAside::bringBack(const QString &log, const QDateTime &when)
{
    return add(log, timeText(when) + Gap + BackWord);
}

QString SetAside::text(const Decision &decision)
{
    if (!decision.when.isValid())
        return QStringLiteral("set aside: %1").arg(decision.reason);
    return QStringLiteral("set aside on %1: %2")
        .arg(decision.when.toString(QStringLiteral("yyyy-MM-dd HH:mm")), decision.reason);
}

std::optional<QString> SetAside::add(const QString &log, const QString &line)
{
    if (!QFileInfo(log).isFile())
        return QStringLiteral("%1 is not a log that is there").arg(QDir::toNativeSeparators(log));
    const QString file = fileOf(log);
    QByteArray bytes;
    QString problem;
    // A record that cannot be read is left as it is, for a person to look at.
    if (!readDecisions(file, &bytes, &problem))
        return QStringLiteral("cannot add to %1: %2").arg(QDir::toNativeSeparators(file), problem);
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes.append('\n');
    bytes.append(line.toUtf8() + '\n');
    QString why;
    if (!DurableFile::replace(file, bytes, &why))
        return QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(file), why);
    return std::nullopt;
}
