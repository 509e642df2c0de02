// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "cells/CellEditor.h"

namespace rtv {

// A fixed-length text field, padded with spaces. A commit takes the first characters of
// the edit text and then normalises the field as the item needs.
class TextEditor : public CellEditor {
 public:
  enum class Charset {
    Printable,  // any printable single-byte character (clone comment)
    Radio,      // comments and names on the radio
    FreeName,   // the 3-character free channel name
  };

  TextEditor(std::span<std::uint8_t> field, Charset charset);

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;
  EditRule Rule() const override;

 private:
  std::span<std::uint8_t> field_;
  const Charset charset_;
};

}  // namespace rtv
