#include "PlayerRun.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

PlayerRun::PlayerRun()
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
}

PlayerRun::~PlayerRun()
{
    if (m_process.state() != QProcess::NotRunning)
        kill();
}

QString PlayerRun::playerPath()
{
    return QStringLiteral(DT_RELIABILITY_PLAYER);
}

void PlayerRun::start(const QString &dataDirectory, const QStringList &options,
                      const QStringList &steps)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Its temporary folder beside the data folder, where the test can look into it.
    const QString temporary = QFileInfo(dataDirectory).absolutePath() + QStringLiteral("/tmp");
    QDir().mkpath(temporary);
    env.insert(QStringLiteral("TMPDIR"), temporary);
    env.insert(QStringLiteral("TMP"), temporary);
    env.insert(QStringLiteral("TEMP"), temporary);
    for (const QString &name : m_environment.keys())
        env.insert(name, m_environment.value(name));
    m_process.setProcessEnvironment(env);
    // Started in the test's temporary folder too: whatever the program writes under a
    // relative name lands there, never in the folder the tests were run from.
    m_process.setWorkingDirectory(QFileInfo(dataDirectory).absolutePath());
    m_process.start(playerPath(), QStringList{dataDirectory} + options + steps);
    if (m_process.waitForStarted(20000))
        m_pid = m_process.processId();
}

void PlayerRun::collect()
{
    m_partial += m_process.readAllStandardOutput();
    m_errors += m_process.readAllStandardError();
    qsizetype end;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        m_lines.append(QString::fromUtf8(m_partial.left(end)));
        m_partial.remove(0, end + 1);
    }
}

bool PlayerRun::waitForLine(const QString &prefix, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    qsizetype seen = 0;
    for (;;) {
        collect();
        for (; seen < m_lines.size(); ++seen) {
            if (m_lines[seen].startsWith(prefix))
                return true;
        }
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        m_process.waitForReadyRead(int(qMin<qint64>(100, deadline.remainingTime())));
    }
}

bool PlayerRun::isStopped() const
{
#ifdef Q_OS_UNIX
    QFile stat(QStringLiteral("/proc/%1/stat").arg(m_pid));
    if (m_pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    // "pid (name) S ...": the state follows the closing parenthesis of the name.
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() && text[close + 2] == 'T';
#else
    // Stopped is waiting for a line on stdin, which it says just before.
    qsizetype stops = 0;
    for (const QString &line : m_lines)
        stops += line.startsWith(QLatin1String("stopping ")) ? 1 : (line == QLatin1String("resumed") ? -1 : 0);
    return m_process.state() == QProcess::Running && stops > 0;
#endif
}

bool PlayerRun::waitUntilStopped(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!isStopped()) {
        collect();
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        m_process.waitForReadyRead(20);
    }
    // Everything it reported before it stopped is in the pipe; take it all in.
    while (m_process.waitForReadyRead(20)) {
    }
    collect();
    return true;
}

void PlayerRun::resume()
{
    if (m_pid <= 0)
        return;
    // It says "resumed" once it goes on: until then /proc may still say it is stopped.
    const qsizetype before = linesStartingWith(QStringLiteral("resumed")).size();
#ifdef Q_OS_UNIX
    ::kill(pid_t(m_pid), SIGCONT);
#else
    m_process.write("\n");
    m_process.waitForBytesWritten(5000);
#endif
    QDeadlineTimer deadline(20000);
    while (linesStartingWith(QStringLiteral("resumed")).size() == before
           && m_process.state() != QProcess::NotRunning && !deadline.hasExpired())
        m_process.waitForReadyRead(20);
}

void PlayerRun::kill()
{
    // SIGKILL; TerminateProcess on Windows.
    if (m_pid > 0 && m_process.state() != QProcess::NotRunning)
        m_process.kill();
    m_process.waitForFinished(30000);
    collect();
}

void PlayerRun::signal(int number)
{
#ifdef Q_OS_UNIX
    if (m_pid > 0 && m_process.state() != QProcess::NotRunning)
        ::kill(pid_t(m_pid), number);
#else
    Q_UNUSED(number);
#endif
}

bool PlayerRun::waitForExit(int timeoutMs)
{
    const bool ended = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    collect();
    return ended;
}

bool PlayerRun::runToTheEnd(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        collect();
        if (isStopped())
            resume();
        m_process.waitForFinished(50);
    }
    collect();
    return m_process.state() == QProcess::NotRunning;
}

QStringList PlayerRun::linesStartingWith(const QString &prefix)
{
    collect();
    QStringList found;
    for (const QString &line : m_lines) {
        if (line.startsWith(prefix))
            found.append(line);
    }
    return found;
}

QByteArray PlayerRun::errors()
{
    collect();
    return m_errors;
}

QString PlayerRun::transcript()
{
    collect();
    // Short enough for a test's failure message: the last report lines and stderr's end.
    QString text = m_process.state() == QProcess::NotRunning
        ? QStringLiteral("[ended, exit code %1] ").arg(m_process.exitCode())
        : (isStopped() ? QStringLiteral("[stopped] ") : QStringLiteral("[running] "));
    for (const QString &line : m_lines.mid(qMax<qsizetype>(0, m_lines.size() - 8)))
        text += QLatin1Char('|') + line.left(60);
    return text + QStringLiteral(" -- stderr: ") + QString::fromUtf8(m_errors.right(300));
}
