// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PreviewPaging.h"

#include <algorithm>

namespace rtv {

void PreviewPaging::SetCount(int pageCount) {
  count_ = std::max(pageCount, 0);
  GoTo(page_);
}

void PreviewPaging::GoTo(int page) { page_ = std::clamp(page, 1, std::max(count_, 1)); }

void PreviewPaging::GoToTyped(std::string_view text) {
  int number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    number = std::min(number * 10 + (c - '0'), 100000);
  }
  GoTo(number);
}

bool PreviewPaging::PageBoxAccepts(char character) {
  return (character >= '0' && character <= '9') || character == '\b' ||
         (character >= '!' && character <= '(') || character == '.';
}

}  // namespace rtv
