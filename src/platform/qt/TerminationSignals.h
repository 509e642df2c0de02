// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QSocketNotifier>
#include <functional>

namespace rtv {

// SIGTERM, SIGINT and SIGHUP (logout, kill, a closed terminal) end the program the normal way
// instead of killing it: the handler runs in the event loop, where the program can stop the
// loop, so that everything is destroyed in order and the settings are written back. A signal
// that comes before the handler is given waits for it. One object per process.
class TerminationSignals {
 public:
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // Needs the application object.
  void OnSignal(std::function<void()> handler);

 private:
  // A child of the application, which may go first.
  QPointer<QSocketNotifier> notifier_;
  std::function<void()> handler_;
};

}  // namespace rtv
