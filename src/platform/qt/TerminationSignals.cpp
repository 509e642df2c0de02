// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <cerrno>
#include <csignal>

namespace rtv {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// Read end, write end. A signal handler may only write to a pipe, so the event loop reads it.
int pipeEnds[2] = {-1, -1};

void Caught(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a request: losing this byte loses nothing.
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals() {
  if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
    pipeEnds[0] = pipeEnds[1] = -1;
    return;  // without the pipe the signals keep their default: the program just ends
  }
  struct sigaction action {};
  action.sa_handler = Caught;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kSignals) sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  delete notifier_.data();
  if (pipeEnds[0] < 0) return;
  for (const int signal : kSignals) std::signal(signal, SIG_DFL);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::OnSignal(std::function<void()> handler) {
  handler_ = std::move(handler);
  if (pipeEnds[0] < 0 || notifier_ != nullptr) return;
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier_.data(), &QSocketNotifier::activated, [this] {
    char bytes[16];
    while (read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    if (handler_) handler_();
  });
}

}  // namespace rtv
