// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/SystemClipboard.h"

namespace rtv {

// The application's clipboard (QGuiApplication::clipboard()).
class QtSystemClipboard : public SystemClipboard {
 public:
  std::string Text() const override;
  void SetText(const std::string& text) override;
};

}  // namespace rtv
