// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv {

class MainController;
class MessageBus;
class Prompts;
class Sheet;

// File > Export sheet as CSV and File > Import CSV into sheet, on the sheet on show.
class SheetCsvCommands {
 public:
  static constexpr int kExport = 0;  // the menu items' indexes
  static constexpr int kImport = 1;

  SheetCsvCommands(MainController& controller, Prompts& prompts, MessageBus& bus)
      : controller_(controller), prompts_(prompts), bus_(bus) {}

  // The menu item of `index`; true when done, false when cancelled or failed (the user was
  // told).
  bool Run(int index);
  bool Export(Sheet& sheet);
  bool Import(Sheet& sheet);

 private:
  Sheet* SheetOnShow();
  void Tell(const char* text, bool problem);

  MainController& controller_;
  Prompts& prompts_;
  MessageBus& bus_;
};

}  // namespace rtv
