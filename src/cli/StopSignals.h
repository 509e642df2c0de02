// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv::tools {

// SIGINT, SIGTERM and SIGHUP while the radio is being talked to: the exchange is stopped
// and the port handed back in order (its exclusive hold released) instead of the process
// dying with the port locked. Outside an exchange they end the process as usual.
class StopSignals {
 public:
  static void Install();
  // The signal that asked to stop the running exchange; 0 when none did.
  static int Requested();

  // While one of these lives, a stop signal is only noted.
  class DuringExchange {
   public:
    DuringExchange();
    ~DuringExchange();
    DuringExchange(const DuringExchange&) = delete;
    DuringExchange& operator=(const DuringExchange&) = delete;
  };
};

// The exit status of a process ended by the signal, as a shell reports it.
inline constexpr int ExitStatusOfSignal(int signal) { return 128 + signal; }

}  // namespace rtv::tools
