// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "cells/CellEditor.h"

namespace rtv {

// One raw byte as two hexadecimal digits. A commit takes one or two digits, either case,
// around spaces; anything else leaves the byte as it was.
class HexByteEditor : public CellEditor {
 public:
  explicit HexByteEditor(std::uint8_t& value) : value_(value) {}

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;

 private:
  std::uint8_t& value_;
};

}  // namespace rtv
