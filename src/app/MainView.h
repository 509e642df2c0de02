#pragma once

#include <string>

namespace rtv {

// What the controller needs of the main window; the widgets layer implements it.
class MainView {
 public:
  virtual ~MainView() = default;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void ShowForm() = 0;
  virtual void RedrawMessagePanel() = 0;
  // The sheet on show is closed; the controller reopens it on its next tick.
  virtual void CloseCurrentSheet() {}
  // The busy cursor while a file is read or written.
  virtual void SetBusy(bool /*busy*/) {}
  // Asks the main form to close (the controller's close questions apply).
  virtual void CloseForm() {}
};

}  // namespace rtv
