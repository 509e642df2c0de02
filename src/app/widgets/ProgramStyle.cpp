// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/ProgramStyle.h"

#include "app/widgets/IconLists.h"

namespace rtv {

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const {
  if (standardIcon == SP_ToolBarHorizontalExtensionButton) {
    return BuiltInIcon("imgIcon_Menu_Extension");
  }
  return QProxyStyle::standardIcon(standardIcon, option, widget);
}

}  // namespace rtv
