// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cells/CellEditor.h"

namespace rtv {

// A signed time offset in minutes, typed and shown as [+|-]h:mm, at most 14:00 either way.
class UtcOffsetEditor : public CellEditor {
 public:
  static constexpr int kLimit = 14 * 60;

  explicit UtcOffsetEditor(int& minutes);

  static std::string Format(int minutes);
  // Minutes of a typed offset; none when it is too long or its minutes are 60 or more.
  static std::optional<int> Parse(std::string_view text);

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;

 private:
  int& minutes_;
};

}  // namespace rtv
