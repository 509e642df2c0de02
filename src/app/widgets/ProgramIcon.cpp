// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/ProgramIcon.h"

#include <QString>

namespace rtv {

QIcon ProgramIcon::Make() {
  QIcon icon;
  // Rendered from data/desktop/rtv612.svg at build time.
  for (const int size : {32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/program/%1x%1/apps/rtv612.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace rtv
