#include "app/qt/quit_on_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zem {

namespace {

// A signal handler may do next to nothing: it writes a byte, and the event
// loop, woken by it, quits.
int wakeFds[2] = {-1, -1};
bool requested = false; // on the GUI thread only

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(wakeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

void quitOnTerminationSignals() {
    if (wakeFds[0] >= 0 || ::pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char bytes[16];
        while (::read(wakeFds[0], bytes, sizeof bytes) > 0) {
        }
        // exit(), not quit(): quit() first asks every window to close, and an
        // open message box declines. exit() ends every running loop, a box's too.
        requested = true;
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool terminationRequested() {
    return requested;
}

} // namespace zem
