// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/IdDigitsEditor.h"

#include <algorithm>

namespace rtv {

IdDigitsEditor::IdDigitsEditor(IdBytes bytes, int digits)
    : bytes_(bytes), digits_(std::clamp(digits, 1, static_cast<int>(2 * kIdBytes))) {}

std::string IdDigitsEditor::Digits(ConstIdBytes bytes, int digits) {
  digits = std::clamp(digits, 1, static_cast<int>(2 * kIdBytes));
  const auto used = static_cast<std::size_t>((digits + 1) / 2);
  if (std::any_of(bytes.begin(), bytes.begin() + used, [](std::uint8_t b) { return b > 99; })) {
    return {};
  }
  std::string text;
  for (int i = 0; i < digits; ++i) {
    const int b = bytes[static_cast<std::size_t>(i / 2)];
    text += static_cast<char>('0' + std::min(i % 2 == 0 ? b / 10 : b % 10, 9));
  }
  return text;
}

bool IdDigitsEditor::IsAbsent(ConstIdBytes bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b > 99; });
}

std::uint8_t IdDigitsEditor::CheckByte(ConstIdBytes bytes) {
  if (IsAbsent(bytes)) return 0xFF;
  unsigned sum = 0;
  for (const std::uint8_t b : bytes) sum += b;
  return static_cast<std::uint8_t>(~sum & 0xFF);
}

void IdDigitsEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Text) return;
  std::string digits;
  bool other = false;
  for (const char c : request.editText) {
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (c != ' ' && c != '-') {
      other = true;
    }
  }
  const bool empty = digits.empty() && !other;
  if (!empty && (other || digits.size() != static_cast<std::size_t>(digits_))) {
    Refuse(request, CellNotice::IdDigitCount, {std::to_string(digits_)});
    return;
  }
  if (!empty) {
    std::fill(bytes_.begin(), bytes_.end(), std::uint8_t{0});
    for (std::size_t i = 0; i < digits.size(); ++i) {
      const int d = digits[i] - '0';
      bytes_[i / 2] = static_cast<std::uint8_t>(bytes_[i / 2] + (i % 2 == 0 ? 10 * d : d));
    }
  } else {
    std::fill(bytes_.begin(), bytes_.end(), kAbsentByte);
  }
  Take();
}

std::string IdDigitsEditor::Text() const { return Digits(bytes_, digits_); }

AccessResult IdDigitsEditor::Key(CellRequest& request, CellKey key) {
  if (key.IsDigit()) return BeginTyping(request, key.typed());
  if (IsEditKey(key)) return BeginWithText(request, Text());
  return AccessResult::Nothing;
}

}  // namespace rtv
