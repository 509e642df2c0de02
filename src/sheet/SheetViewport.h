// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

class ChoicePopupHost;

// The widget that shows a sheet, as the sheet controller drives it.
class SheetViewport {
 public:
  virtual ~SheetViewport() = default;

  virtual void RedrawCell(int column, int row) = 0;
  virtual void RedrawRow(int row) = 0;
  virtual void RedrawAll() = 0;
  // The scrollable cells in view, inclusive; the fixed rows and columns are always in view.
  virtual void VisibleCells(int& lastColumn, int& lastRow) const = 0;
  // Scrolls so that the cell shows; fully to the left or top when asked.
  virtual void ShowCell(int column, int row, bool fullyLeft, bool fullyTop) = 0;

  // The in-place editor over the current cell.
  virtual void OpenEditor(const std::string& text, int selectionStart, int selectionLength) = 0;
  // Closes the editor; with `commit` its text is sent to the cell first.
  virtual void CloseEditor(bool commit) = 0;
  virtual bool EditorOpen() const = 0;

  virtual bool HasFocus() const = 0;
  // What the accessor may ask of the sheet view (a choice popup); null for none.
  virtual ChoicePopupHost* PopupHost() = 0;
  // The current cell changed: its popup menu may be another.
  virtual void CurrentCellChanged() = 0;
  // An embedded sheet's choice was made: the window hides.
  virtual void ChoiceMade() = 0;
};

}  // namespace rtv
