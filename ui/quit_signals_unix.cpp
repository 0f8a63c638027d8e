#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

#include "ui/quit_signals.h"

namespace {

// A signal handler may do almost nothing: it writes one byte into a socket pair, and the event
// loop, which watches the other end, does the rest.
int signalSockets[2] = {-1, -1};

void OnTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalSockets[1], &byte, 1);
    errno = saved;
}

}  // namespace

void QuitOnTerminationSignals() {
    if (signalSockets[0] >= 0)
        return;
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(signalSockets[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalSockets[0], &byte, 1);
        // Leaves the event loop (and any modal loop inside it) without closing the windows, so
        // nothing is written on the way out, as with "終了".
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
