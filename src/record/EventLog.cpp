#include "record/EventLog.h"

#include "record/LogTime.h"
#include "record/Windows1252.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString Separator = QStringLiteral("  ");

QString withCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString nextFreeName(const QString &path)
{
    for (int n = 1;; ++n) {
        const QString candidate = path + QLatin1Char('.') + QString::number(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

} // namespace

EventLog::EventLog(const Clock &clock, const QLocale &locale)
    : m_clock(clock), m_locale(locale)
{
}

EventLog::~EventLog()
{
    CloseEventLog();
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
        const QString kept = nextFreeName(result.path);
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
    m_file = std::move(file);
    m_pending.clear();
    m_failing = false;

    const ClockReading header = m_clock.now();
    const QString line = QString::number(subjectNo) + Separator + QString::number(paramSetNo)
        + Separator + m_locale.toString(header.date, QLocale::ShortFormat) + Separator
        + LogTime::clockText(header.seconds, m_locale);
    if (!writeLine(line)) {
        result.error = QStringLiteral("The event log %1 was created but its first line cannot "
                                      "be written: %2.")
                           .arg(QDir::toNativeSeparators(result.path), m_file->errorString());
        m_file->close();
        m_file->remove();
        m_file.reset();
        if (!result.keptAs.isEmpty())
            QFile::rename(result.keptAs, result.path);
        result.keptAs.clear();
        return result;
    }
    result.ok = true;
    return result;
}

bool EventLog::WriteEventRecord(const QString &tag, const QString &fields)
{
    if (!isOpen())
        return false;
    const qint64 stamp = LogTime::elapsedSeconds(m_start, m_clock.now());
    return writeLine(QString::number(stamp) + tag + fields);
}

void EventLog::CloseEventLog()
{
    if (!m_file)
        return;
    flushPending();
    m_file->close();
    m_file.reset();
}

bool EventLog::isOpen() const
{
    return m_file != nullptr;
}

QString EventLog::path() const
{
    return m_file ? m_file->fileName() : QString();
}

void EventLog::setWriteFailureHandler(std::function<void(const QString &)> handler)
{
    m_onWriteFailure = std::move(handler);
}

bool EventLog::writeLine(const QString &line)
{
    m_pending += Windows1252::encode(withCrLf(line) + QStringLiteral("\r\n"));
    const bool written = flushPending();
    if (!written && !m_failing && m_onWriteFailure) {
        m_failing = true;
        m_onWriteFailure(QStringLiteral("The event log %1 cannot be written: %2.")
                             .arg(QDir::toNativeSeparators(m_file->fileName()),
                                  m_file->errorString()));
    }
    m_failing = !written;
    return written;
}

bool EventLog::flushPending()
{
    while (!m_pending.isEmpty()) {
        const qint64 written = m_file->write(m_pending);
        if (written <= 0)
            return false;
        m_pending.remove(0, written);
    }
    return true;
}
