// SPDX-License-Identifier: MIT
#include "platform/linux/signalsessionend.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvane {

namespace {

// The signal handler may only write to a descriptor; the event loop reads the other end.
int g_signalWriter = -1;

void onSignal(int)
{
    const char byte = 1;
    const ssize_t ignored = ::write(g_signalWriter, &byte, 1);
    (void)ignored;
}

void endOnSignals(QWidget &window, const std::function<void()> &end)
{
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair) != 0) {
        return;
    }
    g_signalWriter = pair[0];
    auto *notifier = new QSocketNotifier(pair[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [end, reader = pair[1]] {
        char bytes[16];
        while (::read(reader, bytes, sizeof bytes) > 0) { }
        end();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace

void SignalSessionEnd::closeOnSessionEnd(QGuiApplication &app, QWidget &window, std::function<void()> end)
{
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [end](QSessionManager &) { end(); });
    endOnSignals(window, end);
}

} // namespace orvane
