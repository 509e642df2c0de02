// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

// The desktop's clipboard as plain text, shared with other programs.
class SystemClipboard {
 public:
  virtual ~SystemClipboard() = default;
  // What the clipboard holds as text (UTF-8); empty when it holds no text.
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

}  // namespace rtv
