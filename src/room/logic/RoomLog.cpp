#include "room/logic/RoomLog.h"

#include "record/DurableFile.h"
#include "session/StateTexts.h"

#include <QDir>
#include <QFile>
#include <QTime>

namespace {

Finding failure(const QString &message)
{
    return {Finding::Severity::Error, QString(), 0, message};
}

} // namespace

RoomLog::RoomLog(const QString &folder, const Clock &clock) : m_folder(folder), m_clock(clock)
{
}

QString RoomLog::path() const
{
    return QDir(m_folder).filePath(FileName);
}

std::optional<Finding> RoomLog::goAhead(const QString &action, const QList<GoAheadAction> &actions)
{
    QStringList parts;
    for (const GoAheadAction &done : actions) {
        const GoAheadWrite &write = done.write;
        QString part = QDir::toNativeSeparators(write.folder) + QStringLiteral(": ");
        switch (write.outcome) {
        case GoAheadWrite::Outcome::Written:
        case GoAheadWrite::Outcome::ReadsBackWrong:
            part += StateTexts::goAhead(write.before) + QStringLiteral(" -> ") + StateTexts::goAhead(write.after);
            if (!done.stillPlaying.isEmpty())
                part += QStringLiteral(" (subject not finished: %1)").arg(done.stillPlaying);
            break;
        case GoAheadWrite::Outcome::Failed:
            part += StateTexts::goAhead(write.before) + QStringLiteral(" -> not written (%1)").arg(write.error);
            break;
        default:
            part += QStringLiteral("not written (%1)").arg(write.text());
            break;
        }
        parts.append(part);
    }
    return append(action, parts.join(QStringLiteral("; ")));
}

std::optional<Finding> RoomLog::append(const QString &action, const QString &what)
{
    const ClockReading now = m_clock.now();
    const QString line = QStringLiteral("%1 %2  %3  %4\n")
                             .arg(now.date.toString(Qt::ISODate),
                                  QTime::fromMSecsSinceStartOfDay(int(now.msecs % 86400000)).toString(QStringLiteral("HH:mm:ss")),
                                  action, QString(what).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return write(line);
}

std::optional<Finding> RoomLog::write(const QString &line)
{
    QFile file(path());
    const bool isNew = !file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return failure(QStringLiteral("cannot open %1: %2").arg(QDir::toNativeSeparators(path()), file.errorString()));
    const QByteArray bytes = line.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failure(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path()), file.errorString()));
    QString why;
    if (!DurableFile::syncData(file.handle(), &why) || !DurableFile::close(file, &why))
        return failure(QStringLiteral("cannot write %1 to the disk: %2").arg(QDir::toNativeSeparators(path()), why));
    // A new file's name must reach the disk too.
    if (isNew && !DurableFile::syncFolder(m_folder, &why))
        return failure(QStringLiteral("cannot write %1 to the disk: %2").arg(QDir::toNativeSeparators(path()), why));
    return std::nullopt;
}
