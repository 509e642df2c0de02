// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv {

class MainWindow;
class QtPrompts;
class RecoveryFile;

// What SIGTERM, SIGINT and SIGHUP do to the running program (logout, kill, a closed
// terminal): it ends at once, whatever it shows, without a question. Every open dialog,
// message box and menu is closed as cancelled, the window's place is kept for the settings
// written at the end, and unsaved image changes go to the recovery file.
class SignalShutdown {
 public:
  SignalShutdown(QtPrompts& prompts, MainWindow& mainWindow, RecoveryFile& recovery)
      : prompts_(prompts), mainWindow_(mainWindow), recovery_(recovery) {}

  // The signals' handler, run in the event loop.
  void Run();
  // Closes the dialogs, boxes and popup menus on show; their callers see them cancelled.
  static void CloseDialogs();

 private:
  QtPrompts& prompts_;
  MainWindow& mainWindow_;
  RecoveryFile& recovery_;
};

}  // namespace rtv
