// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "cells/CellCatalog.h"

namespace rtv {

class Document;
class MainController;
class Prompts;
class RowBuffer;
class SystemClipboard;

// Copy Rows and Paste Rows through the desktop's clipboard as well as the program's own row
// buffer. A copy puts the rows on the clipboard as text for spreadsheets; a paste takes the
// clipboard's text instead of the buffer when another program put it there after our last
// copy, typing it into the rows of the sheet on show as one step to undo.
class ClipboardRowCommands {
 public:
  ClipboardRowCommands(MainController& controller, Document& document, Prompts& prompts)
      : controller_(controller), document_(document), prompts_(prompts) {}

  // After Copy Rows on the sheet on show: the rows the buffer holds, onto the clipboard.
  void Copied(const RowBuffer& rows);
  // Whether Paste Rows takes the clipboard's text: it holds text we did not put there.
  bool TakesClipboard() const;
  // Paste Rows from the clipboard at list row `row` of `kind`, once the popup command that
  // asked has returned (its cell belongs to the sheet the paste rebuilds). `what` names the
  // step to undo.
  void PasteLater(ListKind kind, int row, const std::string& what);
  // Runs the paste PasteLater asked for; false when there was none or nothing was pasted.
  bool RunPending();
  // Types the clipboard's rows into the sheet on show from list row `row` on and reports
  // what was refused; false when nothing could be pasted.
  bool Paste(ListKind kind, int row, const std::string& what);

 private:
  SystemClipboard* Clipboard() const;
  void Tell(const std::string& text, bool problem);

  MainController& controller_;
  Document& document_;
  Prompts& prompts_;
  std::string lastCopied_;  // what our last copy put on the clipboard
  struct Pending {
    ListKind kind;
    int row;
    std::string what;
  };
  std::optional<Pending> pending_;
};

}  // namespace rtv
