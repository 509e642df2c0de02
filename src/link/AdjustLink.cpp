// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/AdjustLink.h"

#include "link/CloneFrames.h"

namespace rtv {

void AdjustLink::SetItemList(const std::vector<Item>& items) {
  items_.clear();
  for (const Item& item : items) {
    if (item.code == kEndCode || items_.size() + 1 >= kMaxItems) break;
    items_.push_back(item);
  }
  items_.push_back(Item{});
  itemIndex_ = 0;
  code_ = 0;
  firstValue_ = 0;
  secondValue_ = 0;
  destination_ = nullptr;
}

void AdjustLink::SetValue(std::uint8_t code, std::uint8_t value, std::uint8_t* destination) {
  code_ = code;
  firstValue_ = value;
  secondValue_ = 0;
  destination_ = destination;
}

void AdjustLink::SetValue12(std::uint8_t code, std::uint16_t value) {
  code_ = code;
  firstValue_ = static_cast<std::uint8_t>(value / 256);
  secondValue_ = static_cast<std::uint8_t>(value & 0xFF);
  destination_ = nullptr;
}

bool AdjustLink::StartAdjustWrite(Callback callback) {
  return StartExtra(Exchange::AdjustWrite, std::move(callback));
}

bool AdjustLink::StartAdjustList(Callback callback) {
  if (IsBusy()) return false;
  itemIndex_ = 0;
  return StartExtra(Exchange::AdjustList, std::move(callback));
}

AdjustLink::State AdjustLink::FirstSendState(Exchange exchange) {
  if (exchange == Exchange::AdjustWrite) return kSendAdjust;
  if (exchange == Exchange::AdjustList) return kNextItem;
  return CloneLink::FirstSendState(exchange);
}

AdjustLink::State AdjustLink::StepExtra(State state, bool& progress) {
  switch (state) {
    case kNextItem:
      return NextItem();
    case kSendAdjust:
      return SendAdjust();
    case kWaitAdjust:
      return WaitAdjust(progress);
    default:
      return State::Idle;
  }
}

AdjustLink::State AdjustLink::NextItem() {
  const Item& item = items_[itemIndex_];
  if (item.code == kEndCode) {
    Result().status = kLinkOk;
    return State::Drain;
  }
  code_ = item.code;
  firstValue_ = item.source != nullptr ? *item.source : 0;
  secondValue_ = 0;
  destination_ = item.destination;
  ++itemIndex_;
  return kSendAdjust;
}

AdjustLink::State AdjustLink::SendAdjust() {
  ByteQueue bytes;
  AppendAdjustFrame(bytes, PreambleCount(), ModelCode(), ExtensionCode(), code_, firstValue_,
                    secondValue_, code_ == kTwelveBitCode);
  SendBytes(bytes);
  if (destination_ == nullptr && CurrentExchange() == Exchange::AdjustList) return kNextItem;
  // A value set without read-back still waits for its echo: only a request that went out
  // whole counts as sent.
  return kWaitAdjust;
}

AdjustLink::State AdjustLink::WaitAdjust(bool& progress) {
  if (destination_ == nullptr) {  // the echo is complete, no answer awaited
    Result().status = kLinkOk;
    progress = true;
    return State::Drain;
  }
  progress = false;
  ByteQueue frame;
  if (!TakeFrame(frame)) return kWaitAdjust;
  const AdjustAnswer answer = DecodeAdjustAnswer(frame, ModelCode());
  if (answer.kind == AdjustAnswer::Kind::NotOurs) return kWaitAdjust;
  if (answer.kind == AdjustAnswer::Kind::Broken) {
    Result().status = kLinkBadFrame;
    return State::Drain;
  }
  *destination_ = answer.value;
  if (CurrentExchange() == Exchange::AdjustList) return kNextItem;
  Result().status = kLinkOk;
  progress = true;
  return State::Drain;
}

}  // namespace rtv
