// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintStyle.h"

#include <algorithm>
#include <cstdlib>

#include "overlay/OverlayText.h"

namespace rtv {

PrintStyle PrintStyle::FromOverlay(OverlayText& overlay) {
  PrintStyle style;
  style.margins = PrintMargins::Parse(overlay.GetFirstLine(PrintMargins::kOverlayKey));
  const int points = std::atoi(overlay.GetFirstLine("GI_Sys_Printer_FrameFont").c_str());
  style.framePoints = points > 0 ? std::min(points, 72) : 8;
  style.headerRight =
      overlay.GetFirstLine("GI_Sys_AppTitle") + " " + overlay.GetFirstLine("GI_Sys_Rev");
  style.footer = overlay.GetFirstLine("GI_Sys_Maker");
  return style;
}

}  // namespace rtv
