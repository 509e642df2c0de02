// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "radio/WarningCheckList.h"

namespace rtv {

class Clock;
class ItemAccessor;
class MessageBus;
class OverlayText;

// When the warning checks run: a write asks for them 250 ms later, and every later write
// restarts the wait; the owner's 50 ms tick (Tick) runs them once the wait is over, so the
// program keeps one timer. Whoever marks the tree hears each outcome; the bus hears
// WarningsUpdated after a run that ends a wait.
class WarningScheduler {
 public:
  static constexpr int kTickMs = 50;
  static constexpr int kDelayMs = 250;
  using ErrorPlace = WarningCheckList::ErrorPlace;
  using MarksShown = std::function<void(const std::vector<std::string>& errorSheets,
                                        const std::vector<std::string>& warningSheets)>;

  WarningScheduler(OverlayText& overlay, ItemAccessor& accessor, Clock& clock, MessageBus& bus);
  WarningScheduler(const WarningScheduler&) = delete;
  WarningScheduler& operator=(const WarningScheduler&) = delete;

  // Where each outcome goes (the tree's marks).
  void SetMarksShown(MarksShown shown) { marksShown_ = std::move(shown); }
  // Ticks count from Start until Stop.
  void Start() { ticking_ = true; }
  void Stop() { ticking_ = false; }
  // The owner's tick, every kTickMs: runs the checks once the wait is over.
  void Tick();

  // A write: the checks run 250 ms after the last one.
  void Restart();
  bool Waiting() const { return deadline_.has_value(); }
  // The checks now; a wait in progress goes on.
  void CheckNow();
  // The checks now in place of the wait (another image is in place).
  void CheckInsteadOfWaiting();
  // As CheckInsteadOfWaiting, and the bus hears of it.
  void Refresh();

  int Evaluations() const { return evaluations_; }
  const std::vector<std::string>& ErrorSheets() const { return outcome_.errorSheets; }
  const std::vector<std::string>& WarningSheets() const { return outcome_.warningSheets; }
  const std::optional<ErrorPlace>& FirstError() const { return outcome_.firstError; }

 private:
  OverlayText& overlay_;
  ItemAccessor& accessor_;
  Clock& clock_;
  MessageBus& bus_;
  // The check list's cells, parsed once: the overlay does not change while the program runs.
  WarningCheckList checks_;
  WarningCheckList::Outcome outcome_;
  MarksShown marksShown_;
  std::optional<std::int64_t> deadline_;
  int evaluations_ = 0;
  bool ticking_ = false;
};

}  // namespace rtv
