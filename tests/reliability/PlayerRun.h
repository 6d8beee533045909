#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// The test's side of reliability-player: starts it over a data folder, reads its report
// lines, waits (bounded) until it has stopped itself, continues, kills or awaits it.
class PlayerRun
{
public:
    PlayerRun();
    ~PlayerRun();

    // Its temporary folder (TMPDIR, TMP, TEMP) is "tmp" beside the data folder, unless
    // setEnvironment, called before, says otherwise; its working folder is the one that
    // holds the data folder.
    void start(const QString &dataDirectory, const QStringList &options, const QStringList &steps);
    void setEnvironment(const QString &name, const QString &value) { m_environment.insert(name, value); }

    // Waits until a report line starting with prefix has arrived; false on timeout or
    // when the player has ended without it.
    bool waitForLine(const QString &prefix, int timeoutMs = 20000);
    // Waits until the player has stopped itself (its state in /proc is "T"; on Windows,
    // it has said "stopping" and waits for a line on stdin).
    bool waitUntilStopped(int timeoutMs = 20000);
    bool isStopped() const;
    // SIGCONT (on Windows a line on stdin), then waits until the player reports that it
    // goes on.
    void resume();
    // SIGKILL (TerminateProcess on Windows), then waits for the end.
    void kill();
    // Sends the signal (POSIX only); a stopped player takes it once it is resumed.
    void signal(int number);
    bool waitForExit(int timeoutMs = 30000);
    // Waits for the end, continuing the player each time it has stopped itself.
    bool runToTheEnd(int timeoutMs = 30000);

    qint64 pid() const { return m_pid; }
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    const QStringList &lines() { collect(); return m_lines; }
    QStringList linesStartingWith(const QString &prefix);
    QByteArray errors();
    // Report lines and stderr, for a failure message.
    QString transcript();

    static QString playerPath();

private:
    void collect();

    QProcess m_process;
    QProcessEnvironment m_environment;
    qint64 m_pid = 0;
    QStringList m_lines;
    QByteArray m_partial;
    QByteArray m_errors;
};
