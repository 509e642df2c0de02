// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WarningScheduler.h"

#include "base/MessageBus.h"
#include "base/Timers.h"

namespace rtv {

WarningScheduler::WarningScheduler(OverlayText& overlay, ItemAccessor& accessor, Clock& clock,
                                   MessageBus& bus)
    : overlay_(overlay), accessor_(accessor), clock_(clock), bus_(bus) {}

void WarningScheduler::Restart() { deadline_ = clock_.NowMs() + kDelayMs; }

void WarningScheduler::CheckNow() {
  ++evaluations_;
  outcome_ = checks_.Evaluate(overlay_, accessor_);
  if (marksShown_) marksShown_(outcome_.errorSheets, outcome_.warningSheets);
}

void WarningScheduler::CheckInsteadOfWaiting() {
  deadline_.reset();
  CheckNow();
}

void WarningScheduler::Refresh() {
  CheckInsteadOfWaiting();
  bus_.Post(msg::WarningsUpdated{});
}

void WarningScheduler::Tick() {
  if (ticking_ && deadline_ && clock_.NowMs() >= *deadline_) Refresh();
}

}  // namespace rtv
