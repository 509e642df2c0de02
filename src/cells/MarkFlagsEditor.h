// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cells/CellEditor.h"

namespace rtv {

// The P and C marks of a channel: bit 0 shows "P", bit 1 "C". The popup sets a mark or
// asks the caller to toggle the channel's use or to jump; the caller reads action().
class MarkFlagsEditor : public CellEditor {
 public:
  enum class Action { None, Toggle, Jump };
  static constexpr int kFlagP = 0x01;
  static constexpr int kFlagC = 0x02;

  MarkFlagsEditor(std::string listKey, int& flags, bool spaceToggles);
  // A key that outlives the editor (a literal) is used without a copy.
  MarkFlagsEditor(const char* listKey, int& flags, bool spaceToggles);

  Action action() const { return action_; }

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;

 private:
  const std::string ownedKey_;
  const std::string_view listKey_;
  int& flags_;
  const bool spaceToggles_;
  Action action_ = Action::None;
};

}  // namespace rtv
