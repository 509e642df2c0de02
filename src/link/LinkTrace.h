// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

// Where a link writes the record of its exchanges for whoever supports the user: one line
// per frame sent or received and per state change, already stamped with the time.
class LinkTrace {
 public:
  virtual ~LinkTrace() = default;
  virtual void Line(const std::string& text) = 0;
};

}  // namespace rtv
