// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cells/CellRequest.h"

namespace rtv {

// One value behind a cell, shown and edited through a CellRequest. Serve applies a commit,
// then the key, and always leaves the display text with the whole text selected unless
// in-place editing starts. The caller stores the value when changed() says so.
class CellEditor {
 public:
  virtual ~CellEditor() = default;

  AccessResult Serve(CellRequest& request);
  bool changed() const { return changed_; }

 protected:
  CellEditor() = default;
  CellEditor(const CellEditor&) = delete;
  CellEditor& operator=(const CellEditor&) = delete;

  // Parses the committed edit text or popup choice (there is a commit).
  virtual void Commit(CellRequest& request) = 0;
  // The text the current value shows.
  virtual std::string Text() const = 0;
  // Reacts to a key (Activate already turned into Enter); only called with a sheet view.
  virtual AccessResult Key(CellRequest& request, CellKey key) = 0;
  // What the in-place editor may hold; by default anything, sorted out on commit.
  virtual EditRule Rule() const { return {}; }
  // A committed text is refused: the value stays and the editor keeps the text.
  static void Refuse(CellRequest& request, CellNotice notice, std::vector<std::string> values);

  void Take() { changed_ = true; }

  // Editing starts with just the typed character, caret after it.
  static AccessResult BeginTyping(CellRequest& request, char typed);
  // Editing starts with `text` trimmed of surrounding spaces, all of it selected.
  static AccessResult BeginWithText(CellRequest& request, const std::string& text);
  static void ShowSelected(CellRequest& request, std::string text);

  static bool IsEnter(CellKey key) { return key == SpecialKey::Enter || key == SpecialKey::F2; }
  // Space steps a number or choice up, Backspace down.
  static bool IsSpace(CellKey key) { return key.typed() == ' '; }
  // Enter, F2, Backspace or Space: the keys that open the current text in the ID, text and
  // time editors.
  static bool IsEditKey(CellKey key) {
    return IsEnter(key) || key == SpecialKey::Backspace || IsSpace(key);
  }

 private:
  bool changed_ = false;
};

}  // namespace rtv
