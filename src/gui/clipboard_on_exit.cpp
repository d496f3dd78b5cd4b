// SPDX-License-Identifier: Apache-2.0
#include "gui/clipboard_on_exit.h"

#include "base/clipboard.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace kc {
namespace {

constexpr std::array<int, 3> kEndingSignals = {SIGTERM, SIGINT, SIGHUP};

// The write end for the handler; a plain int is all a handler may touch.
volatile sig_atomic_t gWriteFd = -1;

void OnEndingSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    const int fd = gWriteFd;
    // A full socket means a signal is already on its way: nothing to add.
    if (fd >= 0) {
        const ssize_t written = ::write(fd, &number, 1);
        static_cast<void>(written);
    }
    errno = savedErrno;
}

} // namespace

ClipboardOnExit::ClipboardOnExit(Clipboard& clipboard, SignalEnding ending)
    : clipboard_(clipboard), ending_(std::move(ending)) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { clipboard_.clear(); });
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { clipboard_.clear(); });
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0)
        return;
    gWriteFd = fds_[0];
    notifier_ = std::make_unique<QSocketNotifier>(fds_[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { signalArrived(); });
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kEndingSignals)
        ::sigaction(signal, &action, nullptr);
}

ClipboardOnExit::~ClipboardOnExit() {
    if (fds_[0] < 0)
        return;
    for (int signal : kEndingSignals)
        std::signal(signal, SIG_DFL);
    gWriteFd = -1;
    notifier_.reset();
    ::close(fds_[0]);
    ::close(fds_[1]);
}

void ClipboardOnExit::signalArrived() {
    unsigned char number = 0;
    if (::read(fds_[1], &number, 1) != 1)
        return;
    clipboard_.clear();
    // The display must learn that the clipboard is empty before we go.
    QCoreApplication::processEvents();
    ending_(number);
}

void ClipboardOnExit::endBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace kc
