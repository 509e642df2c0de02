// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

// Where the document's title shows: the main window's caption and its mark of unsaved
// changes.
class DocumentTitleView {
 public:
  virtual ~DocumentTitleView() = default;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetModified(bool modified) = 0;
};

}  // namespace rtv
