// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "print/PageRect.h"

namespace rtv {

// The blank border around every printed page, in millimetres.
struct PrintMargins {
  static constexpr const char* kOverlayKey = "GI_Sys_Printer_Margins";

  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  // "left,top,right,bottom"; a missing or unreadable number is no margin.
  static PrintMargins Parse(std::string_view line);
  // The printable area of a page of the given size in dots. The vertical resolution serves
  // all four sides, as printers report it most reliably.
  PageRect PageArea(int pageWidth, int pageHeight, int dotsPerInch) const;
};

}  // namespace rtv
