// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace rtv {

// The preview's paging pictures, the main toolbar's.
struct PreviewIcons {
  QIcon top;
  QIcon previous;
  QIcon next;
  QIcon last;
  QIcon zoom;
};

}  // namespace rtv
