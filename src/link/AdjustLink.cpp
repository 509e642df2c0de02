// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/AdjustLink.h"

#include "link/CloneFrames.h"

namespace rtv {
namespace {

constexpr int kAnswerLength = 11;  // FE EF EE E8, two model bytes, two more, code, two digits

// "0"-"9" and "A"-"F" only: the radio answers in capitals, anything else is noise.
int HexDigitValue(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

char HexDigit(int nibble) { return "0123456789ABCDEF"[nibble & 0x0F]; }

}  // namespace

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
  return StartExtra(kModeAdjustWrite, std::move(callback));
}

bool AdjustLink::StartAdjustList(Callback callback) {
  if (IsBusy()) return false;
  itemIndex_ = 0;
  return StartExtra(kModeAdjustList, std::move(callback));
}

AdjustLink::State AdjustLink::FirstSendState(int mode) {
  if (mode == kModeAdjustWrite) return kSendAdjust;
  if (mode == kModeAdjustList) return kNextItem;
  return CloneLink::FirstSendState(mode);
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
  std::string text = FormatText("FEFE EE EF E8 %04X %04X %02X", ModelCode(), SecondWord(), code_);
  std::string digits;
  if (code_ == kTwelveBitCode) {
    digits = {HexDigit(firstValue_), HexDigit(secondValue_ >> 4), HexDigit(secondValue_)};
  } else {
    digits = {HexDigit(firstValue_ >> 4), HexDigit(firstValue_)};
  }
  for (const char digit : digits) text += FormatText(" %02X", digit);
  ByteQueue bytes;
  bytes.AppendRepeated(kFramePreamble, PreambleCount());
  bytes.Append(HexToBytes(text + " FD"));
  SendBytes(bytes);
  if (destination_ == nullptr && Mode() == kModeAdjustList) return kNextItem;
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
  const bool ours = frame.Count() >= kAnswerLength && frame.At(0) == kFramePreamble &&
                    frame.At(1) == kPcAddress && frame.At(2) == kRadioAddress &&
                    frame.At(3) == kCmdAdjust && frame.At(4) == (ModelCode() >> 8) &&
                    frame.At(5) == (ModelCode() & 0xFF);
  if (!ours) return kWaitAdjust;
  const int high = HexDigitValue(frame.At(9));
  const int low = HexDigitValue(frame.At(10));
  if (high < 0 || low < 0) {
    Result().status = kLinkBadFrame;
    return State::Drain;
  }
  *destination_ = static_cast<std::uint8_t>(high * 16 + low);
  if (Mode() == kModeAdjustList) return kNextItem;
  Result().status = kLinkOk;
  progress = true;
  return State::Drain;
}

}  // namespace rtv
