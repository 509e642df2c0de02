#pragma once

#include <QMainWindow>

#include "app/MainView.h"

namespace rtv {

class AppSettings;
class MainController;
class MessagePanel;

// The main window: caption, bounds and status bar; the controller fills the rest.
class MainForm : public QMainWindow, public MainView {
  Q_OBJECT

 public:
  static constexpr int kMinimumWidth = 400;
  static constexpr int kMinimumHeight = 200;

  MainForm(MainController& controller, AppSettings& settings);

  void SetTitle(const std::string& title) override;
  void ShowForm() override;
  void RedrawMessagePanel() override;

  MessagePanel* MessagePanelWidget() const { return messagePanel_; }
  // Shows one sheet (a sheet pane) in the window's body; the form takes it over.
  void ShowSheet(QWidget* pane);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceOnScreen();

  MainController& controller_;
  AppSettings& settings_;
  MessagePanel* messagePanel_;
};

}  // namespace rtv
