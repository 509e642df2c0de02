// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "base/SystemClipboard.h"

namespace rtv::test {

// The desktop's clipboard as a text in memory; another program's copy is a SetText.
struct MemoryClipboard : SystemClipboard {
  std::string Text() const override { return text; }
  void SetText(const std::string& value) override { text = value; }
  std::string text;
};

}  // namespace rtv::test
