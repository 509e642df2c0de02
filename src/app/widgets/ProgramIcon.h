// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace rtv {

// The program's own icon, the one the desktop shows in its menu, at every size built in.
class ProgramIcon {
 public:
  static QIcon Make();
};

}  // namespace rtv
