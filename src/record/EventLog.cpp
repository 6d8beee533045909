#include "record/EventLog.h"

#include "record/DurableFile.h"
#include "record/FileIdentity.h"
#include "record/LogTime.h"
#include "record/Windows1252.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

const QString Separator = QStringLiteral("  ");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString withCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

} // namespace

EventLog::EventLog(const Clock &clock, const QLocale &locale, SyncQueue::SyncFunction sync)
    : m_clock(clock), m_locale(locale), m_sync(std::move(sync)), m_companion(clock, m_sync)
{
    m_sync.setFailureHandler([this](const QString &error) {
        if (m_onWriteFailure)
            m_onWriteFailure(QStringLiteral("The event log %1 may not be complete on the disk: %2.")
                                 .arg(native(m_path), error));
    });
}

EventLog::~EventLog()
{
    CloseEventLog();
    if (m_pending.isEmpty())
        return;
    // The last resort: what never reached the disk goes to the experimenter's console.
    const QString kept = m_keptUnwrittenAt.isEmpty()
        ? QString()
        : QStringLiteral(" It is kept in %1 as well.").arg(native(m_keptUnwrittenAt));
    std::fprintf(stderr,
                 "Decision Tree: the event log %s could not be completed (%s).%s The part that is "
                 "not in the file follows between the lines of dashes.\n-----\n",
                 qPrintable(native(m_path)), qPrintable(m_problem), qPrintable(kept));
    std::fwrite(m_pending.constData(), 1, size_t(m_pending.size()), stderr);
    std::fprintf(stderr, "-----\n");
    std::fflush(stderr);
}

QString EventLog::fileName(qint16 paramSetNo, qint16 subjectNo, const QString &dataFileName)
{
    return QLatin1Char('o') + QString::number(paramSetNo) + QString::number(subjectNo)
        + dataFileName;
}

EventLog::OpenResult EventLog::OpenEventLog(const QString &dataDirectory, qint16 subjectNo,
                                            qint16 paramSetNo, const QString &dataFileName)
{
    OpenResult result;
    m_start = m_clock.now();
    result.path = QDir(dataDirectory).filePath(fileName(paramSetNo, subjectNo, dataFileName));

    if (!QFileInfo(dataDirectory).isDir()) {
        result.error = QStringLiteral("The data folder %1 does not exist, so the event log %2 "
                                      "cannot be created.")
                           .arg(QDir::toNativeSeparators(dataDirectory),
                                QDir::toNativeSeparators(result.path));
        return result;
    }
    if (QFileInfo::exists(result.path)) {
        const QString kept = DurableFile::nextFreeName(result.path);
        if (!QFile::rename(result.path, kept)) {
            result.error = QStringLiteral("An event log %1 already exists and could not be "
                                          "moved aside to %2, so it was left untouched and no "
                                          "new log was started.")
                               .arg(QDir::toNativeSeparators(result.path),
                                    QDir::toNativeSeparators(kept));
            return result;
        }
        result.keptAs = kept;
    }

    auto file = std::make_unique<QFile>(result.path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        result.error = QStringLiteral("The event log %1 cannot be created: %2.")
                           .arg(QDir::toNativeSeparators(result.path), file->errorString());
        return result;
    }
    m_path = result.path;
    m_file = std::move(file);
    m_written.clear();
    m_pending.clear();
    m_onDisk = 0;
    m_failing = false;

    // The new file's name must survive a power cut too.
    QString folderError;
    if (!DurableFile::syncFolder(QFileInfo(result.path).absolutePath(), &folderError))
        std::fprintf(stderr, "Decision Tree: the event log %s: %s.\n",
                     qPrintable(native(result.path)), qPrintable(folderError));

    const ClockReading header = m_clock.now();
    const QString line = QString::number(subjectNo) + Separator + QString::number(paramSetNo)
        + Separator + LogTime::dateText(header.date, m_locale) + Separator
        + LogTime::clockText(header.seconds, m_locale);
    // A header that cannot be written is the open's own failure, reported by the caller.
    if (!writeLine(line, false)) {
        result.error = QStringLiteral("The event log %1 was created but its first line cannot "
                                      "be written: %2.")
                           .arg(QDir::toNativeSeparators(result.path), m_problem);
        if (m_file) {
            m_sync.drain();
            m_file->close();
            m_file->remove();
            m_file.reset();
        }
        m_written.clear();
        m_pending.clear();
        if (!result.keptAs.isEmpty())
            QFile::rename(result.keptAs, result.path);
        result.keptAs.clear();
        return result;
    }
    m_header = line;
    m_open = true;
    result.ok = true;
    return result;
}

bool EventLog::WriteEventRecord(const QString &tag, const QString &fields)
{
    if (!isOpen())
        return false;
    const ClockReading now = m_clock.now();
    const qint64 stamp = LogTime::elapsedSeconds(m_start, now);
    const bool written = writeLine(QString::number(stamp) + tag + fields, true);
    m_companion.record(LogTime::elapsedMs(m_start, now), stamp, tag, fields);
    return written;
}

void EventLog::CloseEventLog()
{
    m_open = false;
    if (!m_file && m_pending.isEmpty())
        return;
    if (!flushPending())
        return; // kept; the next close tries again
    closeFile();
    m_written.clear();
}

void EventLog::closeFile()
{
    // The close waits its turn behind the syncs on the records' thread, so that the
    // handler that ends the run does not wait for the disk; what the close says is told
    // back here. The file is let go on this thread, with the report.
    std::shared_ptr<QFile> file(std::move(m_file));
    m_sync.post([closing = file.get()](QString *error) { return DurableFile::close(*closing, error); },
                [this, file](bool ok, const QString &error) {
                    if (!ok && m_onWriteFailure)
                        m_onWriteFailure(QStringLiteral("The event log %1 may not be complete: %2.")
                                             .arg(native(file->fileName()), error));
                });
}

QString EventLog::keepUnwritten(QString *error)
{
    if (m_pending.isEmpty())
        return QString();
    const QString kept = DurableFile::keepUnwritten(
        QFileInfo(m_path).fileName() + QStringLiteral(".unwritten"), m_pending, m_keptUnwrittenAt, error);
    if (!kept.isEmpty())
        m_keptUnwrittenAt = kept;
    return kept;
}

bool EventLog::isOpen() const
{
    return m_open;
}

void EventLog::setWriteFailureHandler(std::function<void(const QString &)> handler)
{
    m_onWriteFailure = std::move(handler);
}

bool EventLog::writeLine(const QString &line, bool reportFailure)
{
    const QByteArray bytes = Windows1252::encode(withCrLf(line) + QStringLiteral("\r\n"));
    m_written += bytes;
    m_pending += bytes;
    const bool written = flushPending();
    if (!written && !m_failing && reportFailure && m_onWriteFailure) {
        m_failing = true;
        m_onWriteFailure(QStringLiteral("The event log %1 cannot be written: %2.")
                             .arg(native(m_path), m_problem));
    }
    m_failing = !written;
    return written;
}

bool EventLog::stillInPlace() const
{
    // The file written through the handle must be the one the log's name leads to.
    return FileIdentity::stillNamed(m_file->handle(), m_file->fileName());
}

bool EventLog::reopen()
{
    auto file = DurableFile::makeAgain(m_path, &m_problem);
    if (!file)
        return false;
    m_file = std::move(file);
    m_onDisk = 0;
    std::fprintf(stderr, "Decision Tree: the event log had gone from the disk; it is written again, "
                         "whole, as %s.\n",
                 qPrintable(native(m_file->fileName())));
    return true;
}

bool EventLog::flushPending()
{
    if (m_file && !stillInPlace()) {
        // Deleted, or its folder removed or unmounted: what the file held is lost with it.
        m_sync.drain();
        m_file.reset();
        m_pending = m_written;
    }
    if (!m_file && !reopen())
        return false;

    if (m_pending.isEmpty())
        return true;
    if (!DurableFile::appendWhole(*m_file, &m_pending, &m_onDisk, &m_problem))
        return false;
    m_sync.request(m_file->handle());
    return true;
}
