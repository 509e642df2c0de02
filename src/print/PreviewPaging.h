// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace rtv {

// Which page of a preview is on show, numbered from 1, always within the pages there are.
class PreviewPaging {
 public:
  explicit PreviewPaging(int pageCount = 0) { SetCount(pageCount); }

  int page() const { return page_; }
  int count() const { return count_; }
  // After a repagination the page stays, unless there are fewer pages now.
  void SetCount(int pageCount);

  void GoTo(int page);
  void First() { GoTo(1); }
  void Previous() { GoTo(page_ - 1); }
  void Next() { GoTo(page_ + 1); }
  void Last() { GoTo(count_); }
  // The number typed in the page box (its leading digits; none is page 0, hence page 1).
  void GoToTyped(std::string_view text);

  bool CanGoBack() const { return page_ > 1; }
  bool CanGoForward() const { return page_ < count_; }

  // The page box keeps digits, backspace and a few punctuation characters; it drops others.
  static bool PageBoxAccepts(char character);
  static constexpr int kPageBoxLength = 3;

 private:
  int page_ = 1;
  int count_ = 0;
};

}  // namespace rtv
