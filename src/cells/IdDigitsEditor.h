// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "cells/CellEditor.h"

namespace rtv {

// A DSC or ATIS ID of n digits in five bytes, two decimal digits a byte (0–99). A byte
// above 99 marks the ID absent; the absent ID is five 0xFF bytes. An empty text makes the
// ID absent; any other text must be the n digits (spaces and hyphens between them allowed).
class IdDigitsEditor : public CellEditor {
 public:
  static constexpr std::size_t kIdBytes = 5;
  static constexpr std::uint8_t kAbsentByte = 0xFF;

  using IdBytes = std::span<std::uint8_t, kIdBytes>;
  using ConstIdBytes = std::span<const std::uint8_t, kIdBytes>;

  IdDigitsEditor(IdBytes bytes, int digits);

  // The n digits, or empty when one of the bytes that hold them is above 99.
  static std::string Digits(ConstIdBytes bytes, int digits);
  static bool IsAbsent(ConstIdBytes bytes);
  // The check byte after an ID: one's complement of the low byte of the sum, 255 when absent.
  static std::uint8_t CheckByte(ConstIdBytes bytes);

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;
  EditRule Rule() const override { return {0, EditCharset::Digits}; }

 private:
  IdBytes bytes_;
  const int digits_;
};

}  // namespace rtv
