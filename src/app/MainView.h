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
};

}  // namespace rtv
