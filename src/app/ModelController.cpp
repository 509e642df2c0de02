// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ModelController.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/AppSettings.h"
#include "app/CloneCommands.h"
#include "app/FileCommands.h"
#include "app/MainView.h"
#include "base/Prompts.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "link/PortDiscovery.h"
#include "overlay/OverlayText.h"
#include "service/DebugTextLinkTrace.h"
#include "sheet/ModelSheet.h"

namespace rtv {
ModelController::ModelController(const ControllerServices& services, std::int32_t imageSize)
    : MainController(services, imageSize) {
  ModelController::Reset();
  subscription_ = Bus().Subscribe([this](const Message& message) { HandleModelMessage(message); });
}

ModelController::~ModelController() {
  subscription_.End();
  FreeDebugWindowShown(false);
}

void ModelController::FreeDebugWindowShown(bool shown) {
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

void ModelController::AttachLink(SerialDevice& device, const PortEnvironment& ports) {
  const ControllerServices& services = Services();
  AppSettings& settings = services.settings;
  clone_ = std::make_unique<CloneCommands>(
      *this, LinkController::Services{device, services.timers, services.clock, services.prompts,
                                      services.overlay, ports,
                                      [&settings] { return settings.portNumber; }});
}

void ModelController::Reset() {
  MainController::Reset();
  makerMode_ = false;
  adjustModeRequested_ = false;
  adjustMode_ = false;
  SetModelCodes(RadioModel::kModelCode, RadioModel::kExtensionCode);
}

RadioModel::Validity ModelController::ValidateImage(const EepromImage& image,
                                                    RadioModel::Strictness strictness) {
  return RadioModel::Validate(image, strictness);
}

RadioModel::MapAge ModelController::CheckNotNewer(const EepromImage& image) {
  return RadioModel::CheckNotNewer(image);
}

void ModelController::EndAdjustModeUnlessRequested() {
  if (!adjustModeRequested_) adjustMode_ = false;
}

void ModelController::Normalise(EepromImage& image, NormaliseDirection direction) {
  model_.Normalise(image, direction);
}

void ModelController::AfterRead(EepromImage& image) { RadioModel::AfterRead(image); }

void ModelController::HandleModelMessage(const Message& message) {
  std::visit(
      Overloaded{[this](const msg::ImageReplaced&) { AdjustTree(); },
                 [this](const msg::SwitchChannelView&) { SetChannelsInUseOnly(!UsableView()); },
                 [this](const msg::ChannelsInUseChanged&) {
                   if (View() != nullptr) View()->RebuildSheetOnShow();
                 },
                 [this](const msg::OpenAdjustWindow&) {
                   if (View() != nullptr) OpenAdjustWindow();
                 },
                 [](const auto&) {}},
      message);
}

void ModelController::OpenAdjustWindow() {
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
  if (!View()->OpenAdjustWindow(actions)) {
    Bus().Post(msg::AdjustWindowOpen{kAdjustWindowSheet});
  }
}

CloneInformation* ModelController::CellCloneInformation() {
  return clone_ != nullptr ? clone_->Information() : nullptr;
}

AdjustmentState* ModelController::CellAdjustment() {
  return clone_ != nullptr ? &clone_->AdjustValues().State() : nullptr;
}

bool ModelController::AdjustmentConnected() const {
  return clone_ != nullptr && clone_->AdjustValues().HasValues();
}

void ModelController::AdjustmentEdited(int link, int value) {
  if (clone_ != nullptr) clone_->SetSheetValue(link, value);
}

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

void ModelController::Setup(MainView& view) {
  MainController::Setup(view);
  for (const std::string& argument : arguments_) {
    if (Lower(argument) == kMakerSwitch) {
      MakerModeOn();
      break;
    }
  }
  for (const std::string& argument : arguments_) {
    if (Lower(argument) == kAdjustSwitch) {
      adjustModeRequested_ = true;
      AdjustModeOn();
      break;
    }
  }
}

void ModelController::RebuildTree() {
  MainController::RebuildTree();
  if (View() == nullptr) return;
  View()->AppendToTreeRoot(" " + Overlay().GetLine("GI_AppInd_Model", CellModelType()));
}

bool ModelController::Confirm(const char* key) {
  return Services().prompts.Message(Overlay().GetText(key), ApplicationTitle(), PromptIcon::Warning,
                                    PromptButtons::OkCancel) == PromptAnswer::Ok;
}

void ModelController::ChangeModel(int modelType, bool ask) {
  AppSettings& settings = Services().settings;
  if (modelType == settings.modelType) return;
  // Only the seven models have initial files.
  if (modelType < 0 || modelType >= RadioModel::kModelTypes) return;
  if (ask && !Confirm("GI_AppMess_ChangeModel")) return;
  settings.modelType = modelType;
  LoadInitialFile(modelType);
  if (ask) {
    WorkingImage().Assign(TemplateImage());
    MarkClean();
    StartNewHistory();
    SetCurrentFileName({});
    EndAdjustModeUnlessRequested();
  }
  RebuildTree();
}

void ModelController::AfterLoad(EepromImage& image) {
  model_.AfterLoad(image);
  Bus().Send(msg::ImageReplaced{});
}

void ModelController::MakerModeOn() {
  if (makerMode_) return;
  if (!Confirm("GI_Mess_Maker_Caution")) return;
  makerMode_ = true;
  Bus().Send(msg::ModeChanged{});
  RebuildTree();
  if (View() != nullptr) View()->ShowMakerPanel(Overlay().GetFirstLine("GI_StatusPanel_Maker"));
}

void ModelController::AdjustModeOn() {
  if (adjustMode_) return;
  adjustMode_ = true;
  Bus().Send(msg::ModeChanged{});
  RebuildTree();
}

bool ModelController::MakerWriteAllowed() {
  return !makerMode_ || Confirm("GI_Mess_Maker_Caution");
}

void ModelController::KeyTyped(char character) {
  typed_ += static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
  const std::size_t length = std::strlen(kMakerWord);
  if (typed_.size() > length) typed_.erase(0, typed_.size() - length);
  if (typed_ == kMakerWord) {
    typed_.clear();
    MakerModeOn();
  }
}

void ModelController::RunCellCommand(int link, const Cell& cell) {
  if (link == LinkNo("CL_Model")) {
    ChangeModel(cell.index, true);
    return;
  }
  if (clone_ != nullptr && clone_->Run(link, cell)) return;
  MainController::RunCellCommand(link, cell);
}

bool ModelController::QueryClose() {
  if (clone_ != nullptr && clone_->IsBusy()) return false;
  return MainController::QueryClose();
}

CellAccessHost::CommandState ModelController::CellCommandState(int link, const Cell& cell) {
  CommandState state = MainController::CellCommandState(link, cell);
  switch (link) {
    case LinkNo("CL_Model"):
      if (cell.index == Services().settings.modelType) state.flags |= kCommandChecked;
      break;
    case LinkNo("CL_Menu_View_Ad"):
    case LinkNo("CL_Menu_Adjust_Read"):  // service work: shown in adjust mode only
      if (!adjustMode_) state.flags |= kCommandHidden;
      if (clone_ != nullptr && clone_->AdjustWindowChecked()) state.flags |= kCommandChecked;
      break;
    case LinkNo("CL_Menu_Port_Com"):
      if (clone_ != nullptr && clone_->PortChecked(cell.index)) state.flags |= kCommandChecked;
      break;
    case LinkNo("CL_Menu_Port_Usb"):
      if (clone_ != nullptr && clone_->UsbPortChecked()) state.flags |= kCommandChecked;
      break;
    case LinkNo("CL_Menu_Debug_Compare"):
    case LinkNo("CL_Menu_Debug_CorrectComp"):
    case LinkNo("CL_Menu_Debug_Window"):
    case LinkNo("CL_Menu_Debug_EeWindow"):
      if (!makerMode_) state.flags |= kCommandHidden;
      break;
    default:
      break;
  }
  return state;
}

OptionalSheets ModelController::CurrentOptionalSheets() {
  return OptionalSheets::For(RegionFlags(), CellModelType(), makerMode_, adjustMode_);
}

void ModelController::AdjustTree() {
  if (View() != nullptr) View()->AdjustOptionalSheets(CurrentOptionalSheets());
}

}  // namespace rtv

namespace rtv {

std::unique_ptr<Sheet> ModelController::CreateSheet(const SheetServices& services,
                                                    const std::string& name) {
  return std::make_unique<ModelSheet>(services, *this, Overlay(), name);
}

int ModelController::ModelType() const { return CellModelType(); }

StartFacts ModelController::CurrentStartFacts() {
  StartFacts facts;
  const AppSettings& settings = Services().settings;
  facts.model = Overlay().GetLine("GI_AppInd_Model", CellModelType());
  // A new image has no folder yet: its name alone.
  facts.file = Files().FullCurrentName();
  if (CurrentFileName().empty()) facts.file = facts.file.substr(facts.file.find_last_of('/') + 1);
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

void ModelController::SetChannelsInUseOnly(bool on) {
  Services().settings.channelsInUseOnly = on ? 1 : 0;
  if (View() != nullptr) View()->RebuildSheetOnShow();
  Bus().Post(msg::RefreshMenuStates{});
}

bool ModelController::UsableView() const { return Services().settings.channelsInUseOnly != 0; }

std::uint8_t ModelController::RegionFlags() const {
  return WorkingImage().GetByte(RadioModel::kRegionFlagsAddress);
}

ChannelMarks ModelController::Channel(ListKind kind, int row) const {
  return ChannelOf(WorkingImage(), kind, row);
}

}  // namespace rtv
