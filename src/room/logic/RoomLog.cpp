#include "room/logic/RoomLog.h"

#include "record/DurableFile.h"
#include "session/StateTexts.h"

#include <QDir>
#include <QFile>
#include <QTime>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    if (const QString refused = OutputCheck::appendRefusal(path()); !refused.isEmpty())
        return failure(QStringLiteral("%1; the action's line is not written").arg(refused));
#ifdef Q_OS_WIN
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return failure(QStringLiteral("cannot open %1: %2").arg(QDir::toNativeSeparators(path()), file.errorString()));
#else
    // Opened without following a link, and looked at through the open file, so that one
    // put in its place after the check is refused too.
    const int fd = ::open(QFile::encodeName(path()).constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                          0644);
    if (fd < 0)
        return failure(QStringLiteral("cannot open %1: %2 (a link is not followed)")
                           .arg(QDir::toNativeSeparators(path()), QString::fromLocal8Bit(strerror(errno))));
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_nlink != 1) {
        ::close(fd);
        return failure(QStringLiteral("%1 is not a file of its own (a link, or one of several names of a file); the "
                                      "action's line is not written")
                           .arg(QDir::toNativeSeparators(path())));
    }
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failure(QStringLiteral("cannot open %1: %2").arg(QDir::toNativeSeparators(path()), file.errorString()));
    }
#endif
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
