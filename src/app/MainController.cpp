// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainController.h"

#include "app/AppSettings.h"
#include "app/ClipboardRowCommands.h"
#include "app/CloneCommands.h"
#include "app/FileCommands.h"
#include "app/ImageCompareCommands.h"
#include "app/MainView.h"
#include "app/SheetCsvCommands.h"
#include "base/Fatal.h"
#include "base/Prompts.h"
#include "base/StatusColours.h"
#include "base/TimerTask.h"
#include "base/Timers.h"
#include "cells/CellCatalog.h"
#include "cells/CellMarkup.h"
#include "cells/CellNames.h"
#include "link/PortDiscovery.h"
#include "overlay/OverlayText.h"
#include "radio/ChannelRow.h"
#include "radio/RadioMemoryMap.h"
#include "service/DebugTextLinkTrace.h"
#include "service/ReferenceCompare.h"
#include "sheet/ModelSheet.h"
#include "sheet/Sheet.h"

namespace rtv {

MainController::MainController(const ControllerServices& services, std::int32_t imageSize)
    : services_(services),
      imageSize_(imageSize),
      document_(imageSize),
      initialFiles_(services.overlay, services.prompts),
      modes_(services.overlay, services.prompts),
      currentModel_(services.settings, document_.Working(), document_.Template(), modes_,
                    [this](int modelType) { ChangeModel(modelType, false); }),
      choiceLists_(services.overlay),
      accessor_(this),
      warnings_(services.overlay, accessor_, services.clock, services.bus),
      rowOperations_(*this, services.overlay, services.prompts) {
  InstallMemoryMap(accessor_);
  files_ = std::make_unique<FileCommands>(*this, document_, services.settings, services.overlay,
                                          services.prompts, services.bus);
  sheetCsv_ = std::make_unique<SheetCsvCommands>(*this, document_, services.prompts, services.bus);
  comparisons_ = std::make_unique<ImageCompareCommands>(*this, document_);
  clipboardRows_ = std::make_unique<ClipboardRowCommands>(*this, document_, services.prompts);
  document_.SetHistoryChanged([this] { HistoryChanged(); });
  controllerTask_ = std::make_unique<TimerTask>(services_.timers);
  modes_.SetTurnedOn([this](ServiceModes::Mode mode) { ModeTurnedOn(mode); });
  warnings_.SetMarksShown(
      [this](const std::vector<std::string>& errors, const std::vector<std::string>& warnings) {
        if (view_ != nullptr) view_->ShowWarningMarks(errors, warnings);
      });
  subscription_ = Bus().Subscribe([this](const Message& message) { HandleMessage(message); });
}

MainController::~MainController() {
  subscription_.End();
  FreeDebugWindowShown(false);
  TimerTask::Dispose(std::move(controllerTask_));
}

void MainController::SetDataFolder(const std::string& folder) { initialFiles_.SetFolder(folder); }

void MainController::Setup(MainView& view) {
  view_ = &view;
  document_.ShowTitleIn(&view, ApplicationTitle());
  AppSettings& settings = services_.settings;
  if (settings.modelType < 0 || settings.modelType > 6) settings.modelType = 0;
  LoadInitialFile(settings.modelType);
  initialFiles_.CheckAll(imageSize_, settings.modelType);
  document_.Working().Assign(document_.Template());
  document_.MarkClean();
  document_.StartNewHistory();
  document_.Reference().Assign(document_.Template());
  Bus().Send(msg::ModeChanged{});
  RebuildTree();
  if (imageSize_ < kMemoryMapExtent) {
    view.ShowMainWindow();
    FatalError(kSelfCheckMessage);
  }
  controllerTask_->Bind([this](TimerTask&) { ControllerTick(); });
  controllerTask_->Schedule(kControllerTickMs);
  warnings_.Start();
  view.ShowMainWindow();
  modes_.ApplyCommandLine();
}

void MainController::LoadInitialFile(int modelType) {
  initialFiles_.Read(modelType, document_.Template());
  Normalise(document_.Template(), NormaliseDirection::AfterLoad);
}

void MainController::RebuildTree() {
  if (view_ == nullptr) return;
  view_->RebuildTree();
  warnings_.CheckNow();
  view_->CloseCurrentSheet();
  view_->ShowTreeAndSelectFirst();
  Bus().Send(msg::ImageReplaced{});
  view_->AppendToTreeRoot(" " + Overlay().GetLine("GI_AppInd_Model", CellModelType()));
}

void MainController::Normalise(EepromImage& image, NormaliseDirection direction) {
  model_.Normalise(image, direction);
}

void MainController::AfterLoad(EepromImage& image) {
  model_.AfterLoad(image);
  Bus().Send(msg::ImageReplaced{});
}

void MainController::ChangeModel(int modelType, bool ask) {
  AppSettings& settings = services_.settings;
  if (modelType == settings.modelType) return;
  // Only the seven models have initial files.
  if (modelType < 0 || modelType >= RadioModel::kModelTypes) return;
  if (ask &&
      services_.prompts.Message(Overlay().GetText("GI_AppMess_ChangeModel"), ApplicationTitle(),
                                PromptIcon::Warning, PromptButtons::OkCancel) != PromptAnswer::Ok) {
    return;
  }
  settings.modelType = modelType;
  LoadInitialFile(modelType);
  if (ask) {
    document_.Working().Assign(document_.Template());
    document_.MarkClean();
    document_.StartNewHistory();
    document_.SetFileName({});
    modes_.EndAdjustUnlessRequested();
  }
  RebuildTree();
}

void MainController::ModeTurnedOn(ServiceModes::Mode mode) {
  Bus().Send(msg::ModeChanged{});
  RebuildTree();
  if (mode == ServiceModes::Mode::Maker && view_ != nullptr) {
    view_->ShowMakerPanel(Overlay().GetFirstLine("GI_StatusPanel_Maker"));
  }
}

FontDesc MainController::MainWindowFont() {
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

int MainController::CellModelType() const { return services_.settings.modelType; }

void MainController::PostStatusText(const std::string& text, ColourValue textColour,
                                    ColourValue background) {
  Bus().Post(msg::StatusText{text, textColour, background});
}

void MainController::PostBusMessage(Message message) { Bus().Post(std::move(message)); }

void MainController::RunCellCommand(int cellLink, const Cell& cell) {
  commands_.Run(cellLink, cell);
}

CellAccessHost::CommandState MainController::CellCommandState(int cellLink, const Cell& cell) {
  return commands_.State(cellLink, cell);
}

void MainController::OpenHelp(int cellLink) {
  if (view_ == nullptr || !services_.overlay.HasKey("GI_Sys_MyHelpFile")) return;
  std::string path = initialFiles_.Folder();
  if (!path.empty() && path.back() != '/') path += '/';
  path += services_.overlay.GetFirstLine("GI_Sys_MyHelpFile");
  const std::string name = CellLinkName(cellLink);
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
  warnings_.Restart();
  document_.RecordWrite();
}

void MainController::CellInputStarting(const Cell& cell, int command) {
  if (document_.InsideStep()) return;
  EditPlace place = PlaceOnShow();
  place.cellLink = cell.cellLink;
  place.index = cell.index;
  document_.InputStarting(DescribeInput(cell, command), std::move(place));
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

EditPlace MainController::PlaceOnShow() {
  Sheet* sheet = view_ != nullptr ? view_->SheetOnShow() : nullptr;
  return {sheet != nullptr ? sheet->key() : std::string(), kCellLinkNone, 0};
}

bool MainController::Undo() {
  Bus().Send(msg::CommitEdits{});
  const std::optional<Document::StepInfo> step = document_.Undo();
  if (!step) {
    PostStatusText(services_.overlay.GetFirstLine("GI_AppMess_NothingToUndo"), kPlainStatus.text,
                   kPlainStatus.background);
    return false;
  }
  AfterHistoryMove(*step, "GI_AppMess_S_Undo");
  return true;
}

bool MainController::Redo() {
  Bus().Send(msg::CommitEdits{});
  const std::optional<Document::StepInfo> step = document_.Redo();
  if (!step) {
    PostStatusText(services_.overlay.GetFirstLine("GI_AppMess_NothingToRedo"), kPlainStatus.text,
                   kPlainStatus.background);
    return false;
  }
  AfterHistoryMove(*step, "GI_AppMess_S_Redo");
  return true;
}

void MainController::AfterHistoryMove(const Document::StepInfo& step, const char* statusKey) {
  warnings_.Refresh();
  std::string text = services_.overlay.GetFirstLine(statusKey);
  const std::size_t mark = text.find("%s");
  if (mark != std::string::npos) text.replace(mark, 2, step.what);
  if (view_ != nullptr)
    view_->ShowEditPlace(step.place.sheet, step.place.cellLink, step.place.index);
  Bus().Post(msg::DataChanged{});
  PostStatusText(text, kPlainStatus.text, kPlainStatus.background);
  HistoryChanged();
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
  return std::make_unique<ModelSheet>(services, currentModel_, Overlay(), name);
}

static_assert(MainController::kControllerTickMs == WarningScheduler::kTickMs,
              "the warning checks ride on the controller's tick");

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
  warnings_.Tick();
}

bool MainController::QueryClose() {
  if (clone_ != nullptr && clone_->IsBusy()) return false;
  return files_->ConfirmUnsaved(false) != FileCommands::UnsavedAnswer::Cancel;
}

void MainController::Close() {
  controllerTask_->Stop();
  warnings_.Stop();
}

void MainController::HandleMessage(const Message& message) {
  std::visit(Overloaded{[this](const msg::SwitchChannelView&) {
                          SetChannelsInUseOnly(!currentModel_.UsableView());
                        },
                        [this](const msg::ChannelsInUseChanged&) {
                          if (view_ != nullptr) view_->RebuildSheetOnShow();
                        },
                        [this](const msg::OpenAdjustWindow&) {
                          if (view_ != nullptr) OpenAdjustWindow();
                        },
                        [this](const msg::ModeChanged&) {
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
                        [this](const msg::TakeReference&) {
                          document_.Reference().Assign(document_.Working());
                        },
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
                          AdjustTree();
                          warnings_.CheckInsteadOfWaiting();
                        },
                        [](const auto&) {}},
             message);
}

void MainController::OpenCompareWindow() {
  const std::string text = ReferenceCompare::Text(document_.Reference(), document_.Working());
  // Taken again first: the next compare shows only what changed after this one.
  document_.Reference().Assign(document_.Working());
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

void MainController::FreeDebugWindowShown(bool shown) {
  if (clone_ == nullptr) return;
  CloneLink& link = clone_->Link().Link();
  if (shown && debugTrace_ == nullptr) {
    debugTrace_ = std::make_unique<DebugTextLinkTrace>(Bus(), link.CurrentTrace());
    link.SetTrace(debugTrace_.get());
  } else if (!shown && debugTrace_ != nullptr) {
    if (link.CurrentTrace() == debugTrace_.get()) link.SetTrace(debugTrace_->Next());
    debugTrace_.reset();
  }
}

void MainController::AttachLink(SerialDevice& device, const PortEnvironment& ports) {
  const ControllerServices& services = services_;
  AppSettings& settings = services.settings;
  clone_ = std::make_unique<CloneCommands>(
      *this, document_,
      LinkController::Services{device, services.timers, services.clock, services.prompts,
                               services.overlay, ports,
                               [&settings] { return settings.portNumber; }});
}

void MainController::OpenAdjustWindow() {
  AdjustWindowActions actions;
  actions.update = [this] {
    if (clone_ == nullptr) return;
    // The window's readings are refreshed once more after the values came.
    clone_->SetAdjustWindowRefresh(true);
    clone_->ReadAllAdjustValues();
  };
  actions.readOne = [this](int which) {
    if (clone_ != nullptr) clone_->ReadOneAdjustValue(which);
  };
  actions.closed = [this] {
    if (clone_ != nullptr) clone_->AdjustWindowClosed();
    Bus().Send(msg::ModeChanged{});
  };
  if (!view_->OpenAdjustWindow(actions)) {
    Bus().Post(msg::AdjustWindowOpen{kAdjustWindowSheet});
  }
}

CloneInformation* MainController::CellCloneInformation() {
  return clone_ != nullptr ? clone_->Information() : nullptr;
}

AdjustmentState* MainController::CellAdjustment() {
  return clone_ != nullptr ? &clone_->AdjustValues().State() : nullptr;
}

bool MainController::AdjustmentConnected() const {
  return clone_ != nullptr && clone_->AdjustValues().HasValues();
}

void MainController::AdjustmentEdited(int cellLink, int value) {
  if (clone_ != nullptr) clone_->SetSheetValue(cellLink, value);
}

OptionalSheets MainController::CurrentOptionalSheets() {
  return OptionalSheets::For(currentModel_.RegionFlags(), CellModelType(), modes_.Maker(),
                             modes_.Adjust());
}

void MainController::AdjustTree() {
  if (view_ != nullptr) view_->AdjustOptionalSheets(CurrentOptionalSheets());
}

StartFacts MainController::CurrentStartFacts() {
  StartFacts facts;
  const AppSettings& settings = services_.settings;
  facts.model = Overlay().GetLine("GI_AppInd_Model", CellModelType());
  // A new image has no folder yet: its name alone.
  facts.file = files_->FullCurrentName();
  if (document_.FileName().empty())
    facts.file = facts.file.substr(facts.file.find_last_of('/') + 1);
  facts.portNumber = settings.portNumber;
  const PortEnvironment ports =
      clone_ != nullptr ? clone_->Link().Ports() : PortEnvironment{settings.Store(), {}};
  facts.portDevice = PortDevicePath(settings.portNumber, ports);
  std::vector<std::string> found;
  ListFriendlyPorts({std::to_string(settings.portNumber)}, found, ports);
  if (!found.empty()) {
    // "33: FT232R USB UART (/dev/ttyUSB0)"
    const std::string& line = found.front();
    const std::size_t start = line.find(": ");
    const std::size_t end = line.rfind(" (");
    if (start != std::string::npos && end != std::string::npos && end > start + 2) {
      facts.portName = line.substr(start + 2, end - start - 2);
    }
  }
  if (clone_ != nullptr) {
    if (const CloneInformation* info = clone_->Information()) {
      facts.radioRead = true;
      facts.radioModel = Overlay().GetLine("GI_AppInd_Model", info->modelType);
      facts.radioRevision = info->revision;
      facts.radioSerial = info->esn;
    }
  }
  return facts;
}

void MainController::SetChannelsInUseOnly(bool on) {
  services_.settings.channelsInUseOnly = on ? 1 : 0;
  if (view_ != nullptr) view_->RebuildSheetOnShow();
  Bus().Post(msg::RefreshMenuStates{});
}

}  // namespace rtv
