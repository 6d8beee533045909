#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT (a shutdown, a closed terminal, Ctrl+C) into a call on
// the event thread, so the program can complete its files and end as a window close
// would. The signal handler only writes the signal's number into a socket pair; a
// QSocketNotifier reads it between events. Does nothing on Windows, which sends a window
// program no such signals.
class SignalHandler : public QObject
{
public:
    explicit SignalHandler(std::function<void(const QString &name)> onSignal,
                           QObject *parent = nullptr);
    ~SignalHandler() override;

private:
    void readSignal();

    std::function<void(const QString &)> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};
