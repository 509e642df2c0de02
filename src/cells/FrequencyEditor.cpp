// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/FrequencyEditor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace rtv {
namespace {

constexpr std::uint32_t kRaster = 6250;
constexpr std::uint32_t kCandidateStep = 1250;

// The raster frequency f stands for: the first multiple of 6.25 kHz at or above f, found
// from the 100 kHz below it in 1.25 kHz steps, accepted only within the precision f was
// typed with (the largest power of ten, up to 100 kHz, that divides it).
std::optional<std::uint32_t> OnRaster(std::uint32_t f) {
  std::uint32_t precision = 1;
  while (precision < 100'000 && f % (precision * 10) == 0) precision *= 10;
  for (std::uint32_t candidate = f - f % 100'000;; candidate += kCandidateStep) {
    if (candidate < f || candidate % kRaster != 0) continue;
    if (candidate > f + precision - 1) return std::nullopt;
    return candidate;
  }
}

}  // namespace

FrequencyEditor::FrequencyEditor(FreeFrequencies& row, bool tx, bool rowHasData)
    : row_(row), tx_(tx), rowHasData_(rowHasData) {}

std::string FrequencyEditor::FormatMHz(std::uint32_t hz) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%u.%05u", hz / 1'000'000, hz % 1'000'000 / 10);
  return buffer;
}

namespace {

// The typed text in Hz, before limiting; none when it holds no digit.
std::optional<double> TypedHz(std::string_view text) {
  std::string kept;
  bool digit = false;
  for (const char c : text) {
    const bool isDigit = c >= '0' && c <= '9';
    if (isDigit || c == '.') kept += c;
    digit = digit || isDigit;
  }
  // An empty or digitless text names no frequency; it would otherwise become 100 MHz.
  if (!digit) return std::nullopt;
  kept.resize(std::min<std::size_t>(kept.size(), 10));
  return std::strtod(kept.c_str(), nullptr) * 1'000'000.0 + 0.5;
}

}  // namespace

bool FrequencyEditor::OutsideBand(std::string_view text) {
  const std::optional<double> hz = TypedHz(text);
  return hz && (*hz < kLowest || *hz >= kHighest + 1.0);
}

std::string FrequencyEditor::NearestOnRaster(std::string_view text) {
  const std::optional<double> typed = TypedHz(text);
  if (!typed) return {};
  const double hz = std::clamp(*typed - 0.5, double{kLowest}, double{kHighest});
  const auto steps = static_cast<std::uint32_t>(hz / kRaster + 0.5);
  std::string mhz = FormatMHz(std::clamp(steps * kRaster, kLowest, kHighest));
  mhz.erase(mhz.find_last_not_of('0') + 1);
  if (mhz.back() == '.') mhz.pop_back();
  return mhz;
}

std::optional<std::uint32_t> FrequencyEditor::Parse(std::string_view text) {
  const std::optional<double> typed = TypedHz(text);
  if (!typed) return std::nullopt;
  const double hz = std::clamp(*typed, kLowest + 0.5, kHighest + 0.5);
  const std::optional<std::uint32_t> f = OnRaster(static_cast<std::uint32_t>(hz));
  if (!f) return std::nullopt;
  return std::clamp(*f, kLowest, kHighest);
}

void FrequencyEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Text) return;
  const std::optional<std::uint32_t> f = Parse(request.editText);
  if (!f) {
    const std::string nearest = NearestOnRaster(request.editText);
    if (nearest.empty()) return;  // no digit: nothing named, nothing changes
    std::string typed = request.editText;
    typed.erase(0, typed.find_first_not_of(' '));
    typed.erase(typed.find_last_not_of(' ') + 1);
    Refuse(request, CellNotice::OffRaster, {typed, nearest});
    return;
  }
  if (OutsideBand(request.editText)) request.notice = CellNotice::FrequencyLimited;
  if (tx_) {
    row_.tx = *f;
    row_.txBlank = false;
  } else {
    const bool simplex = row_.rx == row_.tx && !row_.rxBlank && !row_.txBlank;
    row_.rx = *f;
    row_.rxBlank = false;
    if (simplex) row_.tx = *f;
  }
  Take();
}

bool FrequencyEditor::ShowsSameAsRx() const {
  return tx_ && rowHasData_ && !row_.rxBlank && !row_.txBlank && row_.tx == row_.rx;
}

std::uint8_t FrequencyEditor::cellFlags() const {
  return ShowsSameAsRx() ? kShowsSameAsRx : kShowsFrequency;
}

std::string FrequencyEditor::ValueText() const {
  const bool blank = tx_ ? row_.txBlank : row_.rxBlank;
  return blank ? std::string() : FormatMHz(tx_ ? row_.tx : row_.rx);
}

std::string FrequencyEditor::Text() const { return ShowsSameAsRx() ? kSameAsRxText : ValueText(); }

AccessResult FrequencyEditor::Key(CellRequest& request, CellKey key) {
  if (key.typed() == '.') {
    ShowSelected(request, ValueText());
    const auto dot = request.displayText.find('.');
    request.selectionStart = dot == std::string::npos ? static_cast<int>(request.displayText.size())
                                                      : static_cast<int>(dot) + 1;
    request.selectionLength = 0;
    return AccessResult::StartEdit;
  }
  if (key.typed() == '=' && tx_) {
    ShowSelected(request, row_.rxBlank ? std::string() : FormatMHz(row_.rx));
    return AccessResult::StartEdit;
  }
  if (key.IsDigit() || IsSpace(key)) return BeginTyping(request, key.typed());
  if (IsEnter(key)) return BeginWithText(request, rowHasData_ ? ValueText() : std::string());
  return AccessResult::Nothing;
}

}  // namespace rtv
