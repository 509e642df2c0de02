// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "compare/ImageDifferences.h"
#include "service/AdjustWindowActions.h"
#include "sheet/OptionalSheets.h"
#include "sheet/SheetImporter.h"

namespace rtv {

class EepromImage;
class LinkView;
class Sheet;
class SystemClipboard;

// What the controller needs of the main window; the widgets layer implements it.
class MainView {
 public:
  virtual ~MainView() = default;
  virtual void SetTitle(const std::string& title) = 0;
  // The title's mark of unsaved changes.
  virtual void SetModified(bool /*modified*/) {}
  // The caption the tree shows for a sheet; the sheet's name without a tree.
  virtual std::string SheetCaption(const std::string& sheet) const { return sheet; }
  virtual void ShowMainWindow() = 0;
  virtual void RedrawMessagePanel() = 0;
  // Builds the tree of sheets afresh from the overlay, hidden while it fills.
  virtual void RebuildTree() {}
  // Shows the tree and selects its first node.
  virtual void ShowTreeAndSelectFirst() {}
  // Appends a text to the caption of the tree's first node.
  virtual void AppendToTreeRoot(const std::string& /*text*/) {}
  // Shows and hides the sheets that depend on the image and the modes (tree node classes).
  virtual void AdjustOptionalSheets(const OptionalSheets& /*sheets*/) {}
  // The About box; typed characters go to the service modes' KeyTyped.
  virtual void ShowAbout() {}
  // Opens the help file at the page of a context number (0: its start).
  virtual void OpenHelp(const std::string& /*path*/, int /*contextId*/) {}
  // Shows or hides the toolbar.
  virtual void SetToolbarVisible(bool /*visible*/) {}
  // Whether the sheet on show can be printed.
  virtual bool CanPrintSheet() const { return false; }
  // Prints the sheet on show, or every sheet of the tree, through the preview.
  virtual void PrintSheets(bool /*all*/) {}
  // Adds the maker panel with this text to the status bar.
  virtual void ShowMakerPanel(const std::string& /*text*/) {}
  // Closes the sheet on show and opens the named one in its place (after the current
  // event: the asking cell may belong to the sheet that closes).
  virtual void OpenSheet(const std::string& /*name*/) {}
  // Whether a sheet is on show, and the sheet of the tree's selected node.
  virtual bool HasSheet() const { return true; }
  // The sheet on show, for the commands that work on it; null when none is.
  virtual Sheet* SheetOnShow() { return nullptr; }
  // The desktop's clipboard; null where there is none.
  virtual SystemClipboard* Clipboard() { return nullptr; }
  // Shows the sheet of an undone or redone step with the cursor on its cell.
  virtual void ShowEditPlace(const std::string& /*sheet*/, int /*cellLink*/, int /*index*/) {}
  virtual std::string SelectedTreeSheet() const { return {}; }
  // Builds the sheet on show again (its rows may change), with the cursor on the same item,
  // or on the next one listed when that item is not listed any more.
  virtual void RebuildSheetOnShow() {}
  // The tree's first node is chosen: its start page is on show, and no sheet comes back.
  virtual bool StartPageChosen() const { return false; }
  // The sheet on show is closed; the controller reopens it on its next tick.
  virtual void CloseCurrentSheet() {}
  // The busy cursor while a file is read or written.
  virtual void SetBusy(bool /*busy*/) {}
  // Marks the tree nodes of the sheets with errors and of those with warnings only.
  virtual void ShowWarningMarks(const std::vector<std::string>& /*errorSheets*/,
                                const std::vector<std::string>& /*warningSheets*/) {}
  // Asks the main window to close (the controller's close questions apply).
  virtual void CloseMainWindow() {}
  // The progress window, the port dialog and the main window's enabling for the radio link.
  virtual LinkView* LinkWindows() { return nullptr; }
  // The clone information sheet after Clone > Information; false when the window has none
  // (the controller then shows the information in a message box).
  virtual bool ShowCloneInfo() { return false; }
  // The maker's service windows. The compare window shows its text modally; the others
  // open once (false when already open) and are raised when asked for again.
  virtual void ShowCompareWindow(const std::string& /*text*/) {}
  virtual bool OpenMemoryWindow() { return false; }
  virtual bool OpenFlagBitsWindow() { return false; }
  // `closed` runs when the window goes away.
  virtual bool OpenFreeDebugWindow(std::function<void()> /*closed*/) { return false; }
  // Opens the adjustment window; false when it is open already.
  // The differences between the working image and `other` (read from `origin`), in a window
  // that can take other's values (MainController::Comparisons).
  // `title` names the command (Compare with File, Compare with Radio).
  virtual void ShowDifferences(const std::string& /*title*/, const std::string& /*origin*/,
                               const EepromImage& /*other*/) {}
  // What importing `origin` would change and what it would leave out, with Apply and
  // Cancel; `apply` runs on Apply only. False when the view shows no preview: the import is
  // then applied at once.
  virtual bool ShowImportPreview(const std::string& /*origin*/,
                                 const ImageDifferences& /*differences*/,
                                 const SheetImporter::Report& /*report*/,
                                 std::function<void()> /*apply*/) {
    return false;
  }
  virtual bool OpenAdjustWindow(const AdjustWindowActions& /*actions*/) { return false; }
};

}  // namespace rtv
