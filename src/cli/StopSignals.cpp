// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StopSignals.h"

#include <csignal>

namespace rtv::tools {
namespace {

volatile std::sig_atomic_t g_exchange = 0;
volatile std::sig_atomic_t g_requested = 0;

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void OnStopSignal(int signal) {
  if (g_exchange == 0) {
    // Nothing to put in order: end as the signal would have ended us.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  g_requested = signal;
}

}  // namespace

void StopSignals::Install() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no restart: a sleeping loop wakes up to look
  for (const int signal : kStopSignals) sigaction(signal, &action, nullptr);
}

int StopSignals::Requested() { return g_requested; }

StopSignals::DuringExchange::DuringExchange() { g_exchange = 1; }

StopSignals::DuringExchange::~DuringExchange() { g_exchange = 0; }

}  // namespace rtv::tools
