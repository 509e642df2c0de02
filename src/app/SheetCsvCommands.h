// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "base/PlainTextMetrics.h"
#include "compare/CsvImportTrial.h"

namespace rtv {

class Document;
class MainController;
class MessageBus;
class Prompts;
class Sheet;

// File > Export sheet as CSV and File > Import CSV into sheet, on the sheet on show. An
// import is tried on a copy first; the view previews what it would change, and only Apply
// lets it into the working image.
class SheetCsvCommands {
 public:
  static constexpr int kExport = 0;  // the menu items' indexes
  static constexpr int kImport = 1;

  SheetCsvCommands(MainController& controller, Document& document, Prompts& prompts,
                   MessageBus& bus)
      : controller_(controller), document_(document), prompts_(prompts), bus_(bus) {}

  // The menu item of `index`; true when done (an import: applied, or waiting in its
  // preview), false when cancelled, failed or changing nothing (the user was told).
  bool Run(int index);
  bool Export(Sheet& sheet);
  bool Import(Sheet& sheet);

 private:
  Sheet* SheetOnShow();
  void Tell(const char* text, bool problem);
  // The tried import into the working image, as one step; refused when the working image
  // is no longer the one it was tried on.
  bool Apply(const std::string& path, const CsvImportTrial::Outcome& trial);

  MainController& controller_;
  Document& document_;
  Prompts& prompts_;
  MessageBus& bus_;
  PlainTextMetrics metrics_;
};

}  // namespace rtv
