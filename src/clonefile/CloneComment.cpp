// SPDX-License-Identifier: GPL-3.0-or-later
#include "clonefile/CloneComment.h"

namespace rtv {

std::string CloneCommentOf(const EepromImage& image) {
  constexpr std::int32_t kFirst = 0x0EEB;
  constexpr std::int32_t kLast = 0x0EFA;
  std::string comment;
  for (std::int32_t a = kFirst; a <= kLast && image.IsValidAddress(a); ++a) {
    const std::uint8_t c = image.GetByte(a);
    comment += (c >= 32 && c <= 126) ? static_cast<char>(c) : ' ';
  }
  while (!comment.empty() && comment.back() == ' ') comment.pop_back();
  return comment;
}

}  // namespace rtv
