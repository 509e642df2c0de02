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
  // Said in words when the text was not taken as it was typed (a pasted or imported text).
  const EditRule rule = Rule();
  const std::string& typed = request.editText;
  const std::size_t typedLength = typed.find_last_not_of(' ') + 1;
  if (typedLength > field_.size()) {
    request.notice = CellNotice::TextCut;
    request.noticeValues = {std::to_string(field_.size())};
  } else {
    for (std::size_t i = 0; i < typedLength; ++i) {
      if (static_cast<char>(field_[i]) != rule.Adjust(typed[i])) {
        request.notice = CellNotice::TextReplaced;
        break;
      }
    }
  }
  Take();
}

EditRule TextEditor::Rule() const {
  EditRule rule;
  rule.maxLength = static_cast<int>(field_.size());
  switch (charset_) {
    case Charset::Printable:
      rule.charset = EditCharset::Printable;
      break;
    case Charset::Radio:
      rule.charset = EditCharset::Radio;
      break;
    case Charset::FreeName:
      rule.charset = field_.size() == 3 ? EditCharset::FreeName : EditCharset::Radio;
      break;
  }
  return rule;
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
