#include "window/SignalHandler.h"

#include <QSocketNotifier>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
int pipeEnds[2] = {-1, -1};
constexpr int Handled[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void onSignal(int number)
{
    // Only async-signal-safe work here: one byte into the pipe.
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
}
#endif

} // namespace

SignalHandler::SignalHandler(std::function<void(const QString &name, int number)> onSignal,
                             QObject *parent)
    : QObject(parent), m_onSignal(std::move(onSignal))
{
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readSignal(); });
    struct sigaction action = {};
    action.sa_handler = ::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : Handled)
        ::sigaction(number, &action, nullptr);
#endif
}

SignalHandler::~SignalHandler()
{
#ifdef Q_OS_UNIX
    if (pipeEnds[0] < 0)
        return;
    for (const int number : Handled)
        ::signal(number, SIG_DFL);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
#endif
}

void SignalHandler::readSignal()
{
#ifdef Q_OS_UNIX
    char byte = 0;
    if (::read(pipeEnds[1], &byte, 1) != 1)
        return;
    const int number = static_cast<unsigned char>(byte);
    const QString name = number == SIGTERM ? QStringLiteral("SIGTERM")
        : number == SIGHUP                ? QStringLiteral("SIGHUP")
                                          : QStringLiteral("SIGINT");
    if (m_onSignal)
        m_onSignal(name, number);
#endif
}

void SignalHandler::endProcess(int number)
{
    std::fflush(nullptr);
    std::_Exit(128 + number);
}
