// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClipboardRowCommands.h"

#include <vector>

#include "app/Document.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "base/Message.h"
#include "base/Prompts.h"
#include "base/StatusColours.h"
#include "base/SystemClipboard.h"
#include "radio/RowBuffer.h"
#include "sheet/ClipboardRows.h"
#include "sheet/Sheet.h"

namespace rtv {

SystemClipboard* ClipboardRowCommands::Clipboard() const {
  MainView* view = controller_.View();
  return view != nullptr ? view->Clipboard() : nullptr;
}

void ClipboardRowCommands::Copied(const RowBuffer& rows) {
  SystemClipboard* clipboard = Clipboard();
  Sheet* sheet = controller_.View() != nullptr ? controller_.View()->SheetOnShow() : nullptr;
  if (clipboard == nullptr || sheet == nullptr || rows.Count() == 0) return;
  std::vector<int> listRows;
  for (int i = 0; i < rows.Count(); ++i) listRows.push_back(rows.Row(i).row);
  const ClipboardRows text(*sheet);
  lastCopied_ = text.Text(text.SheetRowsOf(rows.Kind(), listRows));
  clipboard->SetText(lastCopied_);
}

bool ClipboardRowCommands::TakesClipboard() const {
  const SystemClipboard* clipboard = Clipboard();
  if (clipboard == nullptr) return false;
  const std::string text = clipboard->Text();
  return !text.empty() && text != lastCopied_;
}

void ClipboardRowCommands::PasteLater(ListKind kind, int row, const std::string& what) {
  pending_ = Pending{kind, row, what};
  controller_.Bus().Post(msg::PasteClipboardRows{});
}

bool ClipboardRowCommands::RunPending() {
  if (!pending_) return false;
  const Pending paste = *pending_;
  pending_.reset();
  return Paste(paste.kind, paste.row, paste.what);
}

void ClipboardRowCommands::Tell(const std::string& text, bool problem) {
  prompts_.Message(text, controller_.ApplicationTitle(),
                   problem ? PromptIcon::Warning : PromptIcon::Information, PromptButtons::Ok);
}

bool ClipboardRowCommands::Paste(ListKind kind, int row, const std::string& what) {
  SystemClipboard* clipboard = Clipboard();
  MainView* view = controller_.View();
  Sheet* sheet = view != nullptr ? view->SheetOnShow() : nullptr;
  if (clipboard == nullptr || sheet == nullptr) return false;
  const std::string text = clipboard->Text();
  if (text.empty()) return false;
  ClipboardRows rows(*sheet);
  document_.BeginStep(what, controller_.PlaceOnShow());
  const auto report =
      rows.Paste(text, rows.SheetRowsFrom(kind, row), controller_.Choices(), &document_.Working());
  document_.EndStep();
  if (!report.refusal.empty()) {
    Tell("Paste Rows: " + report.refusal + ".", true);
    return false;
  }
  document_.CheckDirty();
  controller_.Warnings().Refresh();
  // The rows a channel sheet lists may have changed with their names.
  view->RebuildSheetOnShow();
  if (report.Clean()) {
    controller_.PostStatusText("Pasted from the clipboard: " + std::to_string(report.taken) +
                                   (report.taken == 1 ? " cell taken." : " cells taken."),
                               kPlainStatus.text, kPlainStatus.background);
  } else {
    Tell("Paste Rows from the clipboard\n\n" + report.Summary(), true);
  }
  return report.taken > 0;
}

}  // namespace rtv
