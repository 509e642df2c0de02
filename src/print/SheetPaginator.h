// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "base/FontDesc.h"
#include "print/PageFrame.h"
#include "print/PrintSetup.h"
#include "print/PrintedPage.h"

namespace rtv {

class Sheet;
class TextMetrics;

// Lays a sheet out for the printer and cuts it into pages. A page whose cells do not fit
// its body (a single very wide column) is built again with a smaller font, a few times at
// most; the page remembers the font it was fitted with.
class SheetPaginator {
 public:
  static constexpr int kMostRescales = 3;

  SheetPaginator(const TextMetrics& metrics, const PrintSetup& setup);

  const PrintSetup& setup() const { return setup_; }
  // The font of the header and footer lines: the sheet's face, plain, black.
  FontDesc FrameFont(const Sheet& sheet) const;
  PageFrame Frame(const Sheet& sheet) const;
  // The cells' font height before any fitting.
  int BaseFontHeight() const;

  // The pages of a sheet, top to bottom, and within a band of rows left to right; none for
  // a sheet that cannot print. `name` is what the pages call the sheet.
  std::vector<PrintedPage> Paginate(Sheet& sheet, const std::string& name) const;
  // Builds the sheet as the page was fitted, ready to paint it.
  void Prepare(Sheet& sheet, const PrintedPage& page) const;

 private:
  void BuildAt(Sheet& sheet, int fontHeight) const;

  const TextMetrics& metrics_;
  PrintSetup setup_;
};

}  // namespace rtv
