// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "sheet/OptionalSheets.h"

namespace rtv {

// The main window's tree of sheets as the controller drives it.
class SheetTreeView {
 public:
  virtual ~SheetTreeView() = default;
  // Builds the tree of sheets afresh from the overlay, hidden while it fills.
  virtual void RebuildTree() = 0;
  // Shows the tree and selects its first node.
  virtual void ShowTreeAndSelectFirst() = 0;
  // Appends a text to the caption of the tree's first node.
  virtual void AppendToTreeRoot(const std::string& text) = 0;
  // Shows and hides the sheets that depend on the image and the modes (tree node classes).
  virtual void AdjustOptionalSheets(const OptionalSheets& sheets) = 0;
  // Marks the tree nodes of the sheets with errors and of those with warnings only.
  virtual void ShowWarningMarks(const std::vector<std::string>& errorSheets,
                                const std::vector<std::string>& warningSheets) = 0;
  // The caption the tree shows for a sheet.
  virtual std::string SheetCaption(const std::string& sheet) const = 0;
  // The sheet of the tree's selected node; empty when it has none.
  virtual std::string SelectedTreeSheet() const = 0;
  // The tree's first node is chosen: its start page is on show, and no sheet comes back.
  virtual bool StartPageChosen() const = 0;
};

}  // namespace rtv
