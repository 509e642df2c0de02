// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainController.h"

#include "app/AppSettings.h"
#include "app/ClipboardRowCommands.h"
#include "app/FileCommands.h"
#include "app/ImageCompareCommands.h"
#include "app/MainView.h"
#include "app/SheetCsvCommands.h"
#include "base/Fatal.h"
#include "base/Prompts.h"
#include "base/TimerTask.h"
#include "base/Timers.h"
#include "cells/CellCatalog.h"
#include "cells/CellMarkup.h"
#include "cells/CellNames.h"
#include "clonefile/CloneFile.h"
#include "overlay/OverlayText.h"
#include "radio/ChannelRow.h"
#include "radio/RadioMemoryMap.h"
#include "service/ReferenceCompare.h"
#include "sheet/Sheet.h"

namespace rtv {

MainController::MainController(const ControllerServices& services, std::int32_t imageSize)
    : services_(services),
      imageSize_(imageSize),
      choiceLists_(services.overlay),
      accessor_(this),
      rowOperations_(*this, services.overlay, services.prompts) {
  InstallMemoryMap(accessor_);
  files_ = std::make_unique<FileCommands>(*this, services.settings, services.overlay,
                                          services.prompts, services.bus);
  sheetCsv_ = std::make_unique<SheetCsvCommands>(*this, services.prompts, services.bus);
  comparisons_ = std::make_unique<ImageCompareCommands>(*this);
  clipboardRows_ = std::make_unique<ClipboardRowCommands>(*this, services.prompts);
  working_.SetSize(imageSize_);
  working_.Fill(0);
  template_.Assign(working_);
  history_.Reset(working_);
  // The saved image starts empty; the first mark clean fills it.
  controllerTask_ = std::make_unique<TimerTask>(services_.timers);
  subscription_ = Bus().Subscribe([this](const Message& message) { HandleBaseMessage(message); });
  MainController::Reset();
}

MainController::~MainController() {
  subscription_.End();
  TimerTask::Dispose(std::move(controllerTask_));
}

void MainController::SetModelCodes(int modelCode, int extensionCode) {
  modelCode_ = modelCode;
  extensionCode_ = extensionCode;
}

void MainController::Reset() { SetModelCodes(0, 0); }

void MainController::Setup(MainView& view) {
  view_ = &view;
  AppSettings& settings = services_.settings;
  if (settings.modelType < 0 || settings.modelType > 6) settings.modelType = 0;
  LoadInitialFile(settings.modelType);
  CheckInitialFiles();
  working_.Assign(template_);
  MarkClean();
  StartNewHistory();
  compare_.Assign(template_);
  Bus().Send(msg::ModeChanged{});
  RebuildTree();
  if (imageSize_ < kMemoryMapExtent) {
    view.ShowForm();
    FatalError(kSelfCheckMessage);
  }
  controllerTask_->Bind([this](TimerTask&) { ControllerTick(); });
  controllerTask_->Schedule(kControllerTickMs);
  view.ShowForm();
}

void MainController::LoadInitialFile(int modelType) {
  ReadInitialFile(modelType, template_);
  Normalise(template_, NormaliseDirection::AfterLoad);
}

void MainController::ReadInitialFile(int modelType, EepromImage& image) {
  std::string path = dataFolder_;
  if (!path.empty() && path.back() != '/') path += '/';
  // Without its initial file a model has no template: normalising would copy zeros.
  if (!services_.overlay.HasKey("GI_App_InitialFile")) {
    FatalError("Cannot open the initial file of model " + std::to_string(modelType) + ": '" + path +
               "RTV612.OVL' names none (GI_App_InitialFile).");
  }
  path += services_.overlay.GetLine("GI_App_InitialFile", modelType);
  CloneFile reader(services_.overlay, services_.prompts);
  reader.SetImage(&image);
  reader.SetModelCode(static_cast<std::uint16_t>(modelCode_));
  reader.SetExtensionCode(static_cast<std::uint16_t>(extensionCode_));
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  if (reader.Read(path, kCloneRanges) != kFileOk ||
      ValidateImage(image, RadioModel::Strictness::Loose) != RadioModel::Validity::Valid) {
    FatalError("Cannot open '" + path + "'.");
  }
}

void MainController::CheckInitialFiles() {
  // A broken file found only when a read or an opened file switches the model would end
  // the program then, with the user's work: every model's is checked at the start.
  EepromImage scratch;
  scratch.SetSize(imageSize_);
  for (int model = 0; model < RadioModel::kModelTypes; ++model) ReadInitialFile(model, scratch);
}

void MainController::RebuildTree() {
  if (view_ == nullptr) return;
  view_->RebuildTree();
  EvaluateWarnings();
  view_->CloseCurrentSheet();
  view_->ShowTreeAndSelectFirst();
  Bus().Send(msg::ImageReplaced{});
}

RadioModel::Validity MainController::ValidateImage(const EepromImage&, RadioModel::Strictness) {
  return RadioModel::Validity::Invalid;
}

RadioModel::MapAge MainController::CheckNotNewer(const EepromImage&) {
  return RadioModel::MapAge::NotNewer;
}

void MainController::AfterLoad(EepromImage&) {}

void MainController::Normalise(EepromImage&, NormaliseDirection) {}

void MainController::AfterRead(EepromImage&) {}

bool MainController::MakerWriteAllowed() { return true; }

void MainController::KeyTyped(char) {}

void MainController::EvaluateWarnings() {
  ++warningEvaluations_;
  WarningCheckList::Outcome outcome = warningChecks_.Evaluate(services_.overlay, accessor_);
  errorSheets_ = std::move(outcome.errorSheets);
  warningSheets_ = std::move(outcome.warningSheets);
  firstError_ = std::move(outcome.firstError);
  if (view_ != nullptr) view_->ShowWarningMarks(errorSheets_, warningSheets_);
}

FontDesc MainController::FormFont() {
  OverlayText& overlay = services_.overlay;
  Cell cell;
  ParseCell(overlay, cell, overlay.GetFirstLine("GI_Form_Main_BasicCell"), nullptr, nullptr);
  const FontDesc* font = cell.DrawingFont();
  return font != nullptr ? *font : FontDesc{};
}

const std::string& MainController::ApplicationTitle() {
  if (applicationTitle_.empty())
    applicationTitle_ = services_.overlay.GetFirstLine("GI_Sys_AppTitle");
  return applicationTitle_;
}

std::string MainController::TitleText() {
  std::string name = currentFileName_;
  const auto slash = name.find_last_of('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  if (name.empty()) name = "Untitled";
  return name + " - " + ApplicationTitle();
}

void MainController::UpdateTitle() {
  if (view_ == nullptr) return;
  view_->SetTitle(TitleText());
  view_->SetModified(dirty_);
}

void MainController::SetCurrentFileName(const std::string& name) {
  currentFileName_ = name;
  UpdateTitle();
}

void MainController::MarkClean() {
  saved_.Assign(working_);
  dirty_ = false;
  // A save normalises the image first: those changes are the program's, not a step.
  history_.Absorb(working_);
  history_.MarkClean();
  UpdateTitle();
}

void MainController::MarkDirty() {
  dirty_ = true;
  UpdateTitle();
}

bool MainController::CheckDirty() {
  if (!dirty_ && RangesDiffer(working_, saved_, kCloneRanges)) MarkDirty();
  return dirty_;
}

void MainController::RefreshWarnings() {
  warningDeadline_.reset();
  EvaluateWarnings();
  Bus().Post(msg::WarningsUpdated{});
}

void MainController::RestartWarningTimer() {
  warningDeadline_ = services_.clock.NowMs() + kWarningCheckDelayMs;
}

int MainController::CellModelType() const { return services_.settings.modelType; }

void MainController::PostStatusText(const std::string& text, ColourValue textColour,
                                    ColourValue background) {
  Bus().Post(msg::StatusText{text, textColour, background});
}

void MainController::PostBusMessage(Message message) { Bus().Post(std::move(message)); }

void MainController::RunCellCommand(int link, const Cell& cell) {
  switch (link) {
    case LinkNo("CL_Menu_File_New"):
      files_->New();
      break;
    case LinkNo("CL_Menu_File_Open"):
      files_->Open();
      break;
    case LinkNo("CL_Menu_File_Save"):
      files_->Save();
      break;
    case LinkNo("CL_Menu_File_SaveAs"):
      files_->SaveAs();
      break;
    case LinkNo("CL_Menu_File_Recent"):
      files_->RecentItemExecute(cell.index);
      break;
    case LinkNo("CL_Menu_File_Exit"):
      files_->Exit();
      break;
    case LinkNo("CL_Menu_File_Exp"):
      if (cell.index == kCompareWithFile) {
        CompareWithFile();
      } else if (cell.index == kOpenBackup) {
        files_->OpenBackup();
      } else {
        sheetCsv_->Run(cell.index);
      }
      break;
    case LinkNo("CL_Menu_File_Print_Current"):
      if (view_ != nullptr && view_->CanPrintSheet()) view_->PrintSheets(false);
      break;
    case LinkNo("CL_Menu_File_Print_All"):
      if (view_ != nullptr && view_->SheetOnShow() != nullptr) view_->PrintSheets(true);
      break;
    case LinkNo("CL_Menu_View_FontSize"):
      if (services_.settings.fontSizePercentage != cell.index) columnWidthReset_ = true;
      services_.settings.fontSizePercentage = cell.index;
      if (view_ != nullptr) view_->CloseCurrentSheet();  // reopened in the new size
      break;
    case LinkNo("CL_Menu_View_ToolBar"):
      services_.settings.toolbarVisible = services_.settings.toolbarVisible == 1 ? 0 : 1;
      if (view_ != nullptr) view_->SetToolbarVisible(services_.settings.toolbarVisible == 1);
      break;
    case LinkNo("CL_Menu_Port_Com"):
      services_.settings.portNumber = cell.index;
      Bus().Send(msg::ModeChanged{});
      break;
    case LinkNo("CL_Help_About"):
      Bus().Post(msg::ShowAbout{});
      break;
    case LinkNo("CL_Help_Contents"):
      OpenHelp(kCellLinkNone);
      break;
    case LinkNo("CL_PMenu_Help"):
      OpenHelp(cell.cellLink);
      break;
    case LinkNo("CallSheet"):
      if (view_ != nullptr && cell.option) view_->OpenSheet(*cell.option);
      break;
    // The maker's service tools; the memory window's entry with index 1 opens the flag bits.
    case LinkNo("CL_Menu_Debug_EeWindow"):
      if (cell.index == kFlagBitsEntry) {
        Bus().Post(msg::OpenFlagBitsWindow{});
      } else {
        Bus().Post(msg::OpenMemoryWindow{});
      }
      break;
    case LinkNo("CL_Menu_Debug_Compare"):
      Bus().Post(msg::OpenDebugCompareWindow{});
      break;
    case LinkNo("CL_Menu_Debug_CorrectComp"):
      Bus().Post(msg::TakeCompareCopy{});
      break;
    case LinkNo("CL_Menu_Debug_Window"):
      Bus().Post(msg::OpenFreeDebugWindow{});
      break;
    default:
      break;  // the other commands arrive with their windows
  }
}

CellAccessHost::CommandState MainController::CellCommandState(int link, const Cell& cell) {
  const AppSettings& settings = services_.settings;
  CommandState state;
  auto checkedWhen = [&state](bool on) {
    if (on) state.flags |= kCommandChecked;
  };
  switch (link) {
    case LinkNo("CL_Menu_File_Recent"): {
      const FileCommands::RecentItem item = files_->RecentItemState(cell.index);
      if (!item.visible) state.flags |= kCommandHidden;
      if (!item.enabled) state.flags |= kCommandDisabled;
      if (!item.caption.empty()) {
        state.flags |= kCommandRelabelled;
        state.caption = item.caption;
      }
      break;
    }
    case LinkNo("CL_Menu_File_Exp"):
      // The CSV items work on the sheet on show; a comparison and a backup on the whole image.
      if (cell.index < kCompareWithFile && (view_ == nullptr || view_->SheetOnShow() == nullptr)) {
        state.flags |= kCommandDisabled;
      }
      break;
    case LinkNo("CL_Menu_File_Print_Current"):
      if (view_ == nullptr || !view_->CanPrintSheet()) state.flags |= kCommandDisabled;
      break;
    case LinkNo("CL_Menu_File_Print_All"):
      if (view_ == nullptr || view_->SheetOnShow() == nullptr) state.flags |= kCommandDisabled;
      break;
    case LinkNo("CL_Menu_View_FontSize"):
      checkedWhen(settings.fontSizePercentage == cell.index);
      break;
    case LinkNo("CL_Menu_View_ToolBar"):
      checkedWhen(settings.toolbarVisible == 1);
      break;
    case LinkNo("CL_Menu_Port_Com"):
      checkedWhen(settings.portNumber == cell.index);
      break;
    case LinkNo("CL_Menu_Port_Usb"):
      checkedWhen(settings.portNumber >= 5);
      break;
    default:
      break;
  }
  return state;
}

void MainController::OpenHelp(int link) {
  if (view_ == nullptr || !services_.overlay.HasKey("GI_Sys_MyHelpFile")) return;
  std::string path = dataFolder_;
  if (!path.empty() && path.back() != '/') path += '/';
  path += services_.overlay.GetFirstLine("GI_Sys_MyHelpFile");
  const std::string name = CellLinkName(link);
  view_->OpenHelp(path, name.empty() ? 0 : services_.helpOverlay.HelpContextId(name));
}

void MainController::RunRowOperation(int command, CellAccess& access) {
  if (access.row == nullptr) return;
  if (command == RowOperations::kPaste && clipboardRows_->TakesClipboard()) {
    clipboardRows_->PasteLater(access.kind, access.row->row, DescribeInput(access.cell, command));
    return;
  }
  const bool done = rowOperations_.Run(command, access.kind, access.row->row, access.request);
  if (done && command == RowOperations::kCopy) clipboardRows_->Copied(rowOperations_.Buffer());
}

bool MainController::RowOperationEnabled(int command, ListKind kind) const {
  if (command == RowOperations::kPaste && RowOperations::RowsOf(kind).last >= 0 &&
      clipboardRows_->TakesClipboard()) {
    return true;
  }
  return rowOperations_.IsEnabled(command, kind);
}

void MainController::AfterImageWrite() {
  RestartWarningTimer();
  RecordStep();
  CheckDirty();
}

void MainController::CellInputStarting(const Cell& cell, int command) {
  if (stepDepth_ > 0) return;
  pendingWhat_ = DescribeInput(cell, command);
  Sheet* sheet = view_ != nullptr ? view_->SheetOnShow() : nullptr;
  pendingPlace_ = {sheet != nullptr ? sheet->key() : std::string(), cell.cellLink, cell.index};
}

std::string MainController::DescribeInput(const Cell& cell, int command) {
  OverlayText& overlay = services_.overlay;
  const std::string menu = cell.PopupMenuName();
  if (command != 0 && !menu.empty() && overlay.HasKey(menu + "_Body")) {
    // The caption of the popup item that runs the command.
    Cell basic;
    if (overlay.HasKey(menu + "_BasicCell")) {
      ParseCell(overlay, basic, overlay.GetFirstLine(menu + "_BasicCell"), nullptr, nullptr);
    }
    for (int line = 0;; ++line) {
      const std::string text = overlay.GetLine(menu + "_Body", line);
      if (!text.empty() && text[0] == '#') break;
      const std::size_t plus = text.find('+');
      if (plus == std::string::npos) continue;
      Cell item;
      ParseCell(overlay, item, std::string_view(text).substr(plus + 1), nullptr, &basic);
      if (item.cellLink == command && item.text) return *item.text;
    }
  }
  // A cell edit: the title of its column, or on a sheet of settings the text before it.
  Sheet* sheet = view_ != nullptr ? view_->SheetOnShow() : nullptr;
  int column = 0;
  int row = 0;
  if (sheet != nullptr && sheet->FindSelectable(cell.cellLink, cell.index, column, row)) {
    for (int title = sheet->fixedRows() - 1; title >= 0; --title) {
      const Cell& heading = sheet->CellAt(column, title).cell;
      if (heading.cellLink == kCellLinkNone && heading.text && !heading.text->empty()) {
        return *heading.text;
      }
    }
    for (int left = column - 1; left >= 0; --left) {
      const Cell& label = sheet->CellAt(left, row).cell;
      if (label.cellLink == kCellLinkNone && label.text && !label.text->empty()) {
        return *label.text;
      }
    }
  }
  return "Edit";
}

void MainController::RecordStep() {
  if (stepDepth_ > 0) return;
  if (history_.Record(working_, pendingWhat_.empty() ? std::string("Edit") : pendingWhat_,
                      pendingPlace_)) {
    HistoryChanged();
  }
}

void MainController::StartNewHistory() {
  history_.Reset(working_);
  if (dirty_) history_.MarkUnsaved();
  pendingWhat_.clear();
}

void MainController::BeginStep(const std::string& what) {
  if (stepDepth_++ > 0) return;
  RecordStep();  // what came before is a step of its own
  Sheet* sheet = view_ != nullptr ? view_->SheetOnShow() : nullptr;
  pendingWhat_ = what;
  pendingPlace_ = {sheet != nullptr ? sheet->key() : std::string(), kCellLinkNone, 0};
}

void MainController::EndStep() {
  if (stepDepth_ == 0 || --stepDepth_ > 0) return;
  RecordStep();
  CheckDirty();
}

bool MainController::Undo() {
  Bus().Send(msg::CommitEdits{});
  RecordStep();  // anything not yet recorded is the step to take back
  const std::optional<EditHistory::StepInfo> step = history_.Undo(working_);
  if (!step) {
    PostStatusText(services_.overlay.GetFirstLine("GI_AppMess_NothingToUndo"),
                   ToColourValue(SystemColour::WindowText),
                   ToColourValue(SystemColour::ButtonFace));
    return false;
  }
  AfterHistoryMove(*step, "GI_AppMess_S_Undo");
  return true;
}

bool MainController::Redo() {
  Bus().Send(msg::CommitEdits{});
  RecordStep();
  const std::optional<EditHistory::StepInfo> step = history_.Redo(working_);
  if (!step) {
    PostStatusText(services_.overlay.GetFirstLine("GI_AppMess_NothingToRedo"),
                   ToColourValue(SystemColour::WindowText),
                   ToColourValue(SystemColour::ButtonFace));
    return false;
  }
  AfterHistoryMove(*step, "GI_AppMess_S_Redo");
  return true;
}

void MainController::AfterHistoryMove(const EditHistory::StepInfo& step, const char* statusKey) {
  dirty_ = RangesDiffer(working_, saved_, kCloneRanges);
  UpdateTitle();
  RefreshWarnings();
  std::string text = services_.overlay.GetFirstLine(statusKey);
  const std::size_t mark = text.find("%s");
  if (mark != std::string::npos) text.replace(mark, 2, step.what);
  if (view_ != nullptr) view_->ShowEditPlace(step.place.sheet, step.place.link, step.place.index);
  Bus().Post(msg::DataChanged{});
  PostStatusText(text, ToColourValue(SystemColour::WindowText),
                 ToColourValue(SystemColour::ButtonFace));
  HistoryChanged();
}

std::string MainController::UndoCaption() {
  const EditHistory::StepInfo* step = history_.NextUndo();
  return step != nullptr ? "Undo " + step->what : std::string("Undo");
}

std::string MainController::RedoCaption() {
  const EditHistory::StepInfo* step = history_.NextRedo();
  return step != nullptr ? "Redo " + step->what : std::string("Redo");
}

void MainController::HistoryChanged() {
  Bus().Post(msg::RefreshMenuStates{});
  Bus().Post(msg::RefreshToolbarStates{});
}

void MainController::RememberSheetPosition(const SheetPosition& position) {
  std::erase_if(sheetPositions_,
                [&](const SheetPosition& old) { return old.name == position.name; });
  sheetPositions_.insert(sheetPositions_.begin(), position);
}

const MainController::SheetPosition* MainController::FindSheetPosition(
    const std::string& name) const {
  for (const SheetPosition& position : sheetPositions_) {
    if (position.name == name) return &position;
  }
  return nullptr;
}

std::unique_ptr<Sheet> MainController::CreateSheet(const SheetServices& services,
                                                   const std::string& name) {
  return std::make_unique<Sheet>(services, services_.overlay, name);
}

void MainController::ControllerTick() {
  // No sheet on show (closed by a command): the tree's choice comes back, or without one
  // the sheet seen last.
  if (view_ != nullptr && !view_->HasSheet()) {
    std::string name = view_->SelectedTreeSheet();
    if (name.empty() && !sheetPositions_.empty() && !view_->StartPageChosen()) {
      name = sheetPositions_.front().name;
    }
    if (!name.empty()) view_->OpenSheet(name);
  }
  if (warningDeadline_ && services_.clock.NowMs() >= *warningDeadline_) {
    warningDeadline_.reset();
    EvaluateWarnings();
    Bus().Post(msg::WarningsUpdated{});
  }
}

bool MainController::QueryClose() {
  return files_->ConfirmUnsaved(false) != FileCommands::UnsavedAnswer::Cancel;
}

void MainController::Close() { controllerTask_->Stop(); }

void MainController::HandleBaseMessage(const Message& message) {
  std::visit(Overloaded{[this](const msg::ModeChanged&) {
                          Bus().Send(msg::RefreshMenuStates{});
                          Bus().Send(msg::RefreshToolbarStates{});
                        },
                        [this](const msg::StatusText& status) {
                          messageTextColour_ = status.textColour;
                          messageBackground_ = status.background;
                          messageText_ = status.text;
                          if (view_ != nullptr) view_->RedrawMessagePanel();
                        },
                        [this](const msg::ShowAbout&) {
                          if (view_ != nullptr) view_->ShowAbout();
                        },
                        [this](const msg::TakeCompareCopy&) { compare_.Assign(working_); },
                        [this](const msg::OpenDebugCompareWindow&) { OpenCompareWindow(); },
                        [this](const msg::OpenMemoryWindow&) {
                          if (view_ != nullptr) view_->OpenMemoryWindow();
                        },
                        [this](const msg::OpenFlagBitsWindow&) {
                          if (view_ != nullptr) view_->OpenFlagBitsWindow();
                        },
                        [this](const msg::OpenFreeDebugWindow&) {
                          if (view_ != nullptr &&
                              view_->OpenFreeDebugWindow([this] { FreeDebugWindowShown(false); })) {
                            FreeDebugWindowShown(true);
                          }
                        },
                        [this](const msg::PasteClipboardRows&) { clipboardRows_->RunPending(); },
                        [this](const msg::ImageReplaced&) {
                          // Open, New, Read and a model change: the tree's marks are never stale.
                          // The sheets are built again anyway, so they need no word of it.
                          warningDeadline_.reset();
                          EvaluateWarnings();
                        },
                        [](const auto&) {}},
             message);
}

void MainController::OpenCompareWindow() {
  const std::string text = ReferenceCompare::Text(compare_, working_);
  // Taken again first: the next compare shows only what changed after this one.
  compare_.Assign(working_);
  if (view_ != nullptr) view_->ShowCompareWindow(text);
}

void MainController::CompareWithFile() {
  Bus().Send(msg::CommitEdits{});  // a value being typed belongs to the working image
  FileDialogRequest request;
  request.title = "Compare with File";
  request.filter = services_.overlay.GetLine("GI_Sys_Dialog_FOpen", 1);
  request.folder = files_->CurrentDirectory();
  const std::optional<std::string> path = services_.prompts.OpenFileName(request);
  if (!path) return;
  EepromImage other;
  if (!files_->ReadImageFile(*path, other)) return;  // the reader has said why
  comparisons_->Show(request.title, *path, other);
}

}  // namespace rtv
