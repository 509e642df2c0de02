// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "compare/ImageDifferences.h"
#include "sheet/SheetImporter.h"

namespace rtv {

class EepromImage;

// The windows that show what a command found: the differences from another image, the
// preview of an import, the radio's clone information.
class ResultWindowsView {
 public:
  virtual ~ResultWindowsView() = default;
  // The differences between the working image and `other` (read from `origin`), in a window
  // that can take other's values (MainController::Comparisons). `title` names the command
  // (Compare with File, Compare with Radio).
  virtual void ShowDifferences(const std::string& title, const std::string& origin,
                               const EepromImage& other) = 0;
  // What importing `origin` would change and what it would leave out, with Apply and
  // Cancel; `apply` runs on Apply only. False when the view shows no preview: the import is
  // then applied at once.
  virtual bool ShowImportPreview(const std::string& origin, const ImageDifferences& differences,
                                 const SheetImporter::Report& report,
                                 std::function<void()> apply) = 0;
  // The clone information sheet after Clone > Information; false when the window has none
  // (the controller then shows the information in a message box).
  virtual bool ShowCloneInfo() = 0;
};

}  // namespace rtv
