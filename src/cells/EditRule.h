// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rtv {

class OverlayText;

// The characters a field can hold.
enum class EditCharset : std::uint8_t {
  Any,        // the editor takes any text and sorts it out on commit
  Printable,  // printable single-byte characters
  Radio,      // what the radio's display shows; it has no lower case
  FreeName,   // two radio characters, then only A, B or a space
  Digits,     // digits, spaces or hyphens between groups
  Frequency,  // MHz: digits, a point, spaces
};

// Why a typed character was not taken.
enum class EditRefusal : std::uint8_t {
  None,
  TooLong,
  NotShown,        // a character the field's set has no place for
  FreeNameSuffix,  // the third character of a private channel name
  NotDigit,
  NotFrequency,
};

// What the in-place editor of a cell may hold, checked as the user types, so that what
// is typed is what gets stored.
struct EditRule {
  int maxLength = 0;  // 0: only the editor's own limit
  EditCharset charset = EditCharset::Any;

  bool Limits() const { return maxLength > 0 || charset != EditCharset::Any; }
  // The character as the field stores it: upper case where the set has no lower case.
  char Adjust(char c) const;
  // Whether `c` (already adjusted) may stand at `position`; characters outside ASCII
  // come as 0x80 or above.
  EditRefusal Check(unsigned c, int position) const;

  // The status text of a refusal; `c` is the refused character as UTF-8.
  std::string RefusalText(OverlayText& overlay, EditRefusal refusal, const std::string& c) const;
  // The rule in words for the column heading `field`; empty when the rule limits nothing.
  std::string Describe(OverlayText& overlay, const std::string& field) const;
};

}  // namespace rtv
