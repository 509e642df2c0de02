// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "link/CloneLink.h"

namespace rtv {

// The clone link with the two exchanges of the factory adjustment: one E8 request that
// sets a value (its answer optionally read back), and a list of requests whose answers are
// stored one by one.
class AdjustLink : public CloneLink {
 public:
  // The base link's extra steps, as this link uses them.
  static constexpr State kNextItem = State::ExtraNext;
  static constexpr State kSendAdjust = State::ExtraSend;
  static constexpr State kWaitAdjust = State::ExtraWait;
  static constexpr std::uint8_t kEndCode = 255;
  static constexpr std::uint8_t kTwelveBitCode = 9;
  static constexpr int kMaxItems = 50;

  struct Item {
    std::uint8_t code = kEndCode;
    const std::uint8_t* source = nullptr;  // the value to send; none sends 0
    std::uint8_t* destination = nullptr;   // where the answer goes; none awaits no answer
  };

  using CloneLink::CloneLink;

  // Copies the entries up to and including the end marker; a list without one (or longer
  // than the link holds) is ended after its first 49 entries.
  void SetItemList(const std::vector<Item>& items);
  void SetValue(std::uint8_t code, std::uint8_t value, std::uint8_t* destination);
  // Bits 11-8 of the value in the first value, bits 7-0 in the second; no answer.
  void SetValue12(std::uint8_t code, std::uint16_t value);

  bool StartAdjustWrite(Callback callback);
  bool StartAdjustList(Callback callback);

 protected:
  State FirstSendState(Exchange exchange) override;
  State StepExtra(State state, bool& progress) override;

 private:
  State NextItem();
  State SendAdjust();
  State WaitAdjust(bool& progress);

  std::vector<Item> items_{Item{}};
  std::size_t itemIndex_ = 0;
  std::uint8_t code_ = 0;
  std::uint8_t firstValue_ = 0;
  std::uint8_t secondValue_ = 0;
  std::uint8_t* destination_ = nullptr;
};

}  // namespace rtv
