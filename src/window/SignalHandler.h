#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT (a shutdown, a closed terminal, Ctrl+C) into a call on
// the event thread, so the program can complete its files and end as a window close
// would. The signal handler only writes the signal's number into a socket pair; a
// QSocketNotifier reads it between events, also while a message box waits for its OK.
// Does nothing on Windows, which sends a window program no such signals.
class SignalHandler : public QObject
{
public:
    // onSignal gets the signal's name ("SIGTERM") and number.
    explicit SignalHandler(std::function<void(const QString &name, int number)> onSignal,
                           QObject *parent = nullptr);
    ~SignalHandler() override;

    // Ends the process at once with 128 plus the signal's number, the status a shell
    // reports for a process the signal killed. Nothing that waits on the stack (a handler
    // in a message box) goes on, and no event is handled any more.
    [[noreturn]] static void endProcess(int number);

private:
    void readSignal();

    std::function<void(const QString &, int)> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};
