// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

class Sheet;

// The main window's place for the sheet on show: which sheet is there, and what the
// controller's commands do to it.
class SheetAreaView {
 public:
  virtual ~SheetAreaView() = default;
  // Closes the sheet on show and opens the named one in its place (after the current
  // event: the asking cell may belong to the sheet that closes).
  virtual void OpenSheet(const std::string& name) = 0;
  // Whether a sheet is on show.
  virtual bool HasSheet() const = 0;
  // The sheet on show, for the commands that work on it; null when none is.
  virtual Sheet* SheetOnShow() = 0;
  // Shows the sheet of an undone or redone step with the cursor on its cell.
  virtual void ShowEditPlace(const std::string& sheet, int cellLink, int index) = 0;
  // Builds the sheet on show again (its rows may change), with the cursor on the same item,
  // or on the next one listed when that item is not listed any more.
  virtual void RebuildSheetOnShow() = 0;
  // The sheet on show is closed; the controller reopens it on its next tick.
  virtual void CloseCurrentSheet() = 0;
  // Whether the sheet on show can be printed.
  virtual bool CanPrintSheet() const = 0;
  // Prints the sheet on show, or every sheet of the tree, through the preview.
  virtual void PrintSheets(bool all) = 0;
};

}  // namespace rtv
