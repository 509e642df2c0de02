// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/EditRule.h"

#include "overlay/OverlayText.h"

namespace rtv {
namespace {

bool IsDigit(unsigned c) { return c >= '0' && c <= '9'; }
bool OnRadio(unsigned c) { return c >= 0x20 && c <= 0x5F; }

std::string Line(OverlayText& overlay, const char* key) {
  return overlay.HasKey(key) ? overlay.GetFirstLine(key) : std::string();
}

}  // namespace

char EditRule::Adjust(char c) const {
  const bool upper = charset == EditCharset::Radio || charset == EditCharset::FreeName;
  return upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

EditRefusal EditRule::Check(unsigned c, int position) const {
  if (maxLength > 0 && position >= maxLength) return EditRefusal::TooLong;
  switch (charset) {
    case EditCharset::Any:
      return EditRefusal::None;
    case EditCharset::Printable:
      return c >= 0x20 && c < 0x7F ? EditRefusal::None : EditRefusal::NotShown;
    case EditCharset::Radio:
      return OnRadio(c) ? EditRefusal::None : EditRefusal::NotShown;
    case EditCharset::FreeName:
      if (position == 2 && c != 'A' && c != 'B' && c != ' ') return EditRefusal::FreeNameSuffix;
      return OnRadio(c) ? EditRefusal::None : EditRefusal::NotShown;
    case EditCharset::Digits:
      return IsDigit(c) || c == ' ' || c == '-' ? EditRefusal::None : EditRefusal::NotDigit;
    case EditCharset::Frequency:
      return IsDigit(c) || c == '.' || c == ' ' ? EditRefusal::None : EditRefusal::NotFrequency;
  }
  return EditRefusal::None;
}

std::string EditRule::RefusalText(OverlayText& overlay, EditRefusal refusal,
                                  const std::string& c) const {
  const char* key = nullptr;
  switch (refusal) {
    case EditRefusal::None:
      return {};
    case EditRefusal::TooLong:
      key = "GI_Botttom_TypedTooLong";
      break;
    case EditRefusal::NotShown:
      key = charset == EditCharset::Printable ? "GI_Botttom_TypedNotPrintable"
                                              : "GI_Botttom_TypedNotOnRadio";
      break;
    case EditRefusal::FreeNameSuffix:
      key = "GI_Botttom_TypedNameSuffix";
      break;
    case EditRefusal::NotDigit:
      key = "GI_Botttom_TypedNotDigit";
      break;
    case EditRefusal::NotFrequency:
      key = "GI_Botttom_TypedNotFrequency";
      break;
  }
  return OverlayText::FillIn(Line(overlay, key), {c, std::to_string(maxLength)});
}

std::string EditRule::Describe(OverlayText& overlay, const std::string& field) const {
  const char* key = nullptr;
  switch (charset) {
    case EditCharset::Any:
      return {};
    case EditCharset::Printable:
      key = "GI_Botttom_RulePrintable";
      break;
    case EditCharset::Radio:
      key = "GI_Botttom_RuleRadio";
      break;
    case EditCharset::FreeName:
      key = "GI_Botttom_RuleFreeName";
      break;
    case EditCharset::Digits:
      key = "GI_Botttom_RuleDigits";
      break;
    case EditCharset::Frequency:
      key = "GI_Botttom_RuleFrequency";
      break;
  }
  return OverlayText::FillIn(Line(overlay, key), {field, std::to_string(maxLength)});
}

}  // namespace rtv
