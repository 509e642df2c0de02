// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/DocumentTitleView.h"
#include "app/ResultWindowsView.h"
#include "app/ServiceWindowsView.h"
#include "app/SheetAreaView.h"
#include "app/SheetTreeView.h"

namespace rtv {

class LinkView;
class SystemClipboard;

// What the controller needs of the main window, by job; the widgets layer implements it.
// The main window itself: showing and closing it, its message panel, busy cursor, toolbar, About
// box and help, its clipboard and the radio link's windows.
class MainView : public DocumentTitleView,
                 public SheetTreeView,
                 public SheetAreaView,
                 public ServiceWindowsView,
                 public ResultWindowsView {
 public:
  ~MainView() override = default;
  virtual void ShowMainWindow() = 0;
  virtual void RedrawMessagePanel() = 0;
  // The busy cursor while a file is read or written.
  virtual void SetBusy(bool busy) = 0;
  // Asks the main window to close (the controller's close questions apply).
  virtual void CloseMainWindow() = 0;
  // Shows or hides the toolbar.
  virtual void SetToolbarVisible(bool visible) = 0;
  // The About box; typed characters go to the service modes' KeyTyped.
  virtual void ShowAbout() = 0;
  // Opens the help file at the page of a context number (0: its start).
  virtual void OpenHelp(const std::string& path, int contextId) = 0;
  // The desktop's clipboard; null where there is none.
  virtual SystemClipboard* Clipboard() = 0;
  // The progress window, the port dialog and the main window's enabling for the radio link.
  virtual LinkView* LinkWindows() = 0;
};

}  // namespace rtv
