// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "sheet/OptionalSheets.h"

namespace rtv {

class OverlayText;

// The sheets the tree offers, in tree order, as the main window would show them for the
// optional sheets given.
class TreeSheets {
 public:
  struct Entry {
    std::string key;    // the sheet's descriptor, e.g. "GI_Sheet_IntCh"
    std::string title;  // the node's caption
  };

  static constexpr const char* kTreeKey = "GI_Tree_Main";

  static std::vector<Entry> List(OverlayText& overlay, const OptionalSheets& shown);
};

}  // namespace rtv
