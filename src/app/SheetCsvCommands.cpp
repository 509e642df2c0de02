// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SheetCsvCommands.h"

#include <memory>
#include <string>

#include "app/Document.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "base/Message.h"
#include "base/Prompts.h"
#include "platform/posix/RegularFile.h"
#include "platform/posix/SafeSave.h"
#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"

namespace rtv {
namespace {

constexpr const char* kFilter = "CSV files (*.csv)|*.csv|All files (*.*)|*.*";

// The sheet's title as the file name, in the words the user sees; the key only for a
// sheet without a title. Characters no file name may hold become "_".
std::string SuggestedFileName(const Sheet& sheet) {
  std::string name = sheet.TitleText();
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  while (!name.empty() && (name.front() == ' ' || name.front() == '.')) name.erase(0, 1);
  if (name.empty()) name = sheet.key();
  for (char& c : name) {
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
  }
  return name + ".csv";
}

}  // namespace

Sheet* SheetCsvCommands::SheetOnShow() {
  MainView* view = controller_.View();
  return view != nullptr ? view->SheetOnShow() : nullptr;
}

bool SheetCsvCommands::Run(int index) {
  // An open in-place editor stores its text first: it belongs in the file or under it.
  bus_.Send(msg::CommitEdits{});
  Sheet* sheet = SheetOnShow();
  if (sheet == nullptr) return false;
  if (index == kExport) return Export(*sheet);
  if (index == kImport) return Import(*sheet);
  return false;
}

void SheetCsvCommands::Tell(const char* text, bool problem) {
  prompts_.Message(text, controller_.ApplicationTitle(),
                   problem ? PromptIcon::Warning : PromptIcon::Information, PromptButtons::Ok);
}

bool SheetCsvCommands::Export(Sheet& sheet) {
  FileDialogRequest request;
  request.title = "Export sheet as CSV";
  request.filter = kFilter;
  request.defaultExtension = "csv";
  request.folder = controller_.Files().CurrentDirectory();
  request.fileName = SuggestedFileName(sheet);
  const std::optional<std::string> path = prompts_.SaveFileName(request);
  if (!path) return false;
  int error = 0;
  const SafeSaveResult saved = SafeSave(*path, SheetExporter(sheet).Csv(), &error);
  if (saved != SafeSaveResult::kOk) {
    Tell((*path + "\n" + DescribeSafeSaveFailure(saved, error) + ".").c_str(), true);
    return false;
  }
  return true;
}

bool SheetCsvCommands::Import(Sheet& sheet) {
  FileDialogRequest request;
  request.title = "Import CSV into sheet";
  request.filter = kFilter;
  request.defaultExtension = "csv";
  request.folder = controller_.Files().CurrentDirectory();
  const std::optional<std::string> path = prompts_.OpenFileName(request);
  if (!path) return false;
  const RegularFileText text = ReadRegularFile(*path, SheetImporter::kMaxFileBytes);
  if (!text.Ok()) {
    Tell((*path + "\n" +
          DescribeRegularFileStatus(text.status, text.error, SheetImporter::kMaxFileBytes) + ".")
             .c_str(),
         true);
    return false;
  }
  const auto trial = std::make_shared<CsvImportTrial::Outcome>(
      CsvImportTrial(controller_.Overlay(), metrics_)
          .Try(document_.Working(), sheet.key(), controller_.ChannelSheetsUsedOnly(),
               text.contents));
  if (!trial->report.refusal.empty()) {
    Tell((*path + "\n" + trial->report.refusal + ".").c_str(), true);
    return false;
  }
  if (trial->ChangesNothing()) {
    std::string said = *path + "\nThe file would change nothing; nothing was imported.";
    if (!trial->report.Clean()) said += "\n\n" + trial->report.Summary();
    Tell(said.c_str(), !trial->report.Clean());
    return false;
  }
  MainView* view = controller_.View();
  const std::string origin = *path;
  if (view != nullptr &&
      view->ShowImportPreview(origin, trial->differences, trial->report,
                              [this, origin, trial] { Apply(origin, *trial); })) {
    return true;
  }
  return Apply(origin, *trial);
}

bool SheetCsvCommands::Apply(const std::string& path, const CsvImportTrial::Outcome& trial) {
  EepromImage& working = document_.Working();
  if (working.Differs(trial.before)) {
    Tell((path + "\nThe program's memory changed after the preview; nothing was imported. "
                 "Import the file again to see what it would change now.")
             .c_str(),
         true);
    return false;
  }
  // The whole import is one step to undo.
  document_.BeginStep("Import CSV", controller_.PlaceOnShow());
  working.Assign(trial.after);
  document_.EndStep();
  document_.CheckDirty();
  controller_.Warnings().Refresh();
  // Rebuilt on the controller's next tick: the rows a channel sheet lists may have changed.
  if (controller_.View() != nullptr) controller_.View()->CloseCurrentSheet();
  Tell(trial.report.Summary().c_str(), !trial.report.Clean());
  return true;
}

}  // namespace rtv
