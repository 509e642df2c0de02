// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/TextEditor.h"

#include "cells/RadioCharset.h"

namespace rtv {
namespace {
bool Printable(std::uint8_t b) { return b >= 0x20 && b < 0x7F; }
}  // namespace

TextEditor::TextEditor(std::span<std::uint8_t> field, Charset charset)
    : field_(field), charset_(charset) {}

void TextEditor::Commit(CellRequest& request) {
  for (std::size_t i = 0; i < field_.size(); ++i) {
    const auto b =
        i < request.editText.size() ? static_cast<std::uint8_t>(request.editText[i]) : ' ';
    field_[i] = Printable(b) ? b : static_cast<std::uint8_t>(' ');
  }
  if (charset_ == Charset::FreeName && field_.size() == 3) {
    NormaliseFreeName(field_.first<3>());
  } else if (charset_ != Charset::Printable) {
    NormaliseRadioText(field_);
  }
  Take();
}

std::string TextEditor::Text() const {
  std::string text;
  for (const std::uint8_t b : field_) text += Printable(b) ? static_cast<char>(b) : ' ';
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

AccessResult TextEditor::Key(CellRequest& request, CellKey key) {
  if (IsEditKey(key)) return BeginWithText(request, Text());
  if (key.IsTyped()) return BeginTyping(request, key.typed());
  return AccessResult::Nothing;
}

}  // namespace rtv
