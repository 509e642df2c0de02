// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cells/CellEditor.h"
#include "cells/ChoicePopupHost.h"

namespace rtv {

// A popup host that records the choice popups it is asked to open.
struct RecordingPopupHost : ChoicePopupHost {
  void OpenChoicePopup(const std::string& listKey, int variant, int value) override;
  std::vector<std::string> opened;  // "list#variant=value"
};

// One access as the sheet view sends it: a key, a committed text, or neither (display only).
struct EditorAccess {
  CellKey key;
  std::optional<std::string> commit = std::nullopt;
};
inline EditorAccess Shown() { return {}; }
inline EditorAccess Press(CellKey key) { return {key}; }
inline EditorAccess Press(char typed) { return {CellKey::Typed(typed)}; }
inline EditorAccess Typed(const char* text) { return {CellKey(), text}; }

// "Enter", "F2", "'x'": for test messages.
std::ostream& operator<<(std::ostream& out, CellKey key);
std::ostream& operator<<(std::ostream& out, AccessResult result);

// Short names for tables of cases.
inline constexpr AccessResult kNothing = AccessResult::Nothing;
inline constexpr AccessResult kPopupOpened = AccessResult::PopupOpened;
inline constexpr AccessResult kStartEdit = AccessResult::StartEdit;

struct EditorOutcome {
  AccessResult result = AccessResult::Nothing;
  bool changed = false;
  std::string display;
  int selectionStart = 0;
  int selectionLength = 0;
  std::vector<std::string> opened;
  CellNotice notice = CellNotice::None;
  std::vector<std::string> noticeValues;
  bool keepEditing = false;
  EditRule rule;
};

// Serves one access through `editor`, with a recording popup host unless `withPopupHost` is false.
EditorOutcome Serve(CellEditor& editor, const EditorAccess& access, bool withPopupHost = true);

}  // namespace rtv
