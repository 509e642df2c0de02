// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CloneCommands.h"

#include "app/AppSettings.h"
#include "app/Document.h"
#include "app/FileCommands.h"
#include "app/ImageCompareCommands.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "base/Prompts.h"
#include "base/StatusColours.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "link/LinkView.h"
#include "overlay/OverlayText.h"
#include "radio/AdjustmentCodes.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"

namespace rtv {
namespace {

// A reason set in parentheses inside a sentence ends without its own full stop.
std::string WithoutFullStop(std::string reason) {
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  return reason;
}

}  // namespace

CloneCommands::CloneCommands(MainController& controller, Document& document,
                             LinkController::Services services)
    : controller_(controller),
      document_(document),
      link_(std::move(services)),
      session_([this](EepromImage& image) { controller_.AfterLoad(image); }) {
  link_.SetIdentifyHandler([this](LinkResult& result) { CheckIdentity(result); });
  link_.SetReadHandler([this](LinkResult& result) { CheckImage(result); });
}

CloneCommands::~CloneCommands() = default;

bool CloneCommands::Run(int cellLink, const Cell& cell) {
  switch (cellLink) {
    case LinkNo("CL_Menu_Clone_Read"):
      if (cell.index == kCompareWithRadio) {
        CompareWithRadio();
      } else {
        CloneRead();
      }
      return true;
    case LinkNo("CL_Menu_Clone_Write"):
      CloneWrite();
      return true;
    case LinkNo("CL_Menu_Clone_Info"):
      CloneInfo();
      return true;
    case LinkNo("CL_Menu_Adjust_Read"):
      AdjustRead();
      return true;
    case LinkNo("CL_Menu_View_Ad"):
      OpenAdjustWindow();
      return true;
    case LinkNo("CL_Menu_Port_Com"):
      SetPort(cell.index);
      return true;
    case LinkNo("CL_Menu_Port_Usb"):
    case LinkNo("CL_Menu_Port_ComList0"):
      ShowPortDialog(PortField::Number);
      return true;
    case LinkNo("CL_Menu_Port_ComList1"):
      ShowPortDialog(PortField::NumberList);
      return true;
    case LinkNo("CL_Menu_Port_ComList2"):
      ShowPortDialog(PortField::FriendlyList);
      return true;
    default:
      return false;
  }
}

namespace {}  // namespace

// ---------------------------------------------------------------------------------------
// The checks of what the radio sends

void CloneCommands::CheckIdentity(LinkResult& result) {
  result.status = session_.CheckIdentity(result);
  if (result.status == kLinkIdentity) return;
  // Where the block keeps the serial number, the comment and the option is not known
  // here; they stay empty rather than show bytes that may mean something else.
  information_ = CloneInformation{};
  information_.modelType = controller_.CellModelType();
  information_.revision = session_.RadioVersion();
  information_.comment.fill(' ');
}

void CloneCommands::CheckImage(LinkResult& result) {
  result.status = CloneSession::CheckImage(result.image);
}

void CloneCommands::Prepare() {
  link_.SetView(controller_.View() != nullptr ? controller_.View()->LinkWindows() : nullptr);
  // The link controller sets the line up at every exchange.
  CloneSession::PrepareModel(link_.Link(), document_.Working().Size());
}

// ---------------------------------------------------------------------------------------
// Clone read

void CloneCommands::CloneRead() {
  if (controller_.Files().ConfirmUnsaved(false) == FileCommands::UnsavedAnswer::Cancel) return;
  StartRead([this](LinkResult& read) { ReadDone(read, false); });
}

void CloneCommands::AdjustRead() {
  if (!controller_.Modes().Adjust()) {
    OverlayText& overlay = controller_.Overlay();
    const PromptAnswer answer = controller_.UserPrompts().Message(
        overlay.GetText("GI_Mess_Adjust_Caution"), controller_.ApplicationTitle(),
        PromptIcon::Warning, PromptButtons::OkCancel);
    if (answer != PromptAnswer::Ok) return;
  }
  if (controller_.Files().ConfirmUnsaved(false) == FileCommands::UnsavedAnswer::Cancel) return;
  StartRead([this](LinkResult& read) { ReadDone(read, true); });
}

void CloneCommands::StartRead(std::function<void(LinkResult&)> done) {
  if (link_.IsBusy()) return;
  Prepare();
  link_.Identify([this, done = std::move(done)](LinkResult& identified) {
    if (identified.status != kLinkOk || link_.IsBusy()) return;
    if (session_.RefusesRead()) {
      link_.ShowError(kLinkBadFrame);
      return;
    }
    link_.Read(CloneSession::kReadList, done);
  });
}

void CloneCommands::SayWhenStopped(const LinkResult& result) {
  OverlayText& overlay = controller_.Overlay();
  if (result.status == kLinkCancelled && overlay.HasKey("GI_Mess_CloneRW_Stopped")) {
    controller_.PostStatusText(overlay.GetLine("GI_Mess_CloneRW_Stopped", 0), kWarningStatus.text,
                               kWarningStatus.background);
  }
}

void CloneCommands::ReadDone(LinkResult& result, bool adjustAfter) {
  OverlayText& overlay = controller_.Overlay();
  SayWhenStopped(result);
  if (result.status != kLinkOk) return;
  if (adjustAfter) controller_.Modes().AdjustOn();
  EepromImage& working = document_.Working();
  working.Assign(result.image);
  session_.AfterRead(working);
  document_.SetFileName({});
  document_.MarkDirty();
  // A backup that cannot be written is worth a word, never a failed read.
  std::string problem;
  if (controller_.Files().KeepReadBackup(session_.RadioVersion(), problem).empty()) {
    controller_.PostStatusText("No backup of this read was kept: " + problem, kWarningStatus.text,
                               kWarningStatus.background);
  }
  document_.StartNewHistory();
  if (controller_.View() != nullptr) controller_.View()->CloseCurrentSheet();
  controller_.Bus().Send(msg::ImageReplaced{});
  if (!problem.empty() || !overlay.HasKey("GI_Mess_CloneRead_Done")) return;
  // Said after the sheet is replaced, so that nothing it posts covers it.
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f",
                static_cast<double>(link_.LastExchangeMs()) / 1000);
  const std::string model = overlay.GetLine("GI_AppInd_Model", controller_.CellModelType());
  const std::string done =
      OverlayText::FillIn(overlay.GetFirstLine("GI_Mess_CloneRead_Done"),
                          {LinkController::GroupedNumber(link_.TotalBytes()), seconds, model,
                           std::to_string(session_.RadioVersion())});
  controller_.PostStatusText(done, kDoneStatus.text, kDoneStatus.background);
}

// ---------------------------------------------------------------------------------------
// Compare with radio

void CloneCommands::CompareWithRadio() {
  if (link_.IsBusy()) return;
  controller_.Bus().Send(msg::CommitEdits{});  // a value being typed belongs to the working image
  StartRead([this](LinkResult& read) { CompareDone(read); });
}

void CloneCommands::CompareDone(LinkResult& result) {
  SayWhenStopped(result);
  if (result.status != kLinkOk) return;
  OverlayText& overlay = controller_.Overlay();
  // Bytes the read does not bring are not the radio's to differ in: they stay the program's.
  EepromImage radio(document_.Working());
  for (const AddressRange* range = CloneSession::kReadList; range->first <= range->last; ++range) {
    const std::int32_t length = range->last - range->first + 1;
    if (result.image.IsValidAddress(range->last)) {
      radio.WriteBlock(range->first, result.image.Data() + range->first, length);
    }
  }
  const int radioModel = radio.GetByte(MemoryLayout::kModelType);
  const int workingModel = document_.Working().GetByte(MemoryLayout::kModelType);
  const auto modelName = [&overlay](int model) {
    const std::string name =
        model < RadioModel::kModelTypes ? overlay.GetLine("GI_AppInd_Model", model) : "";
    return "model " + std::to_string(model) + (name.empty() ? "" : " (" + name + ")");
  };
  if (radioModel != workingModel) {
    const std::string text = "The radio is of " + modelName(radioModel) +
                             ", the program's memory of " + modelName(workingModel) +
                             ". Memories of different models are not compared.";
    controller_.UserPrompts().Message(text.c_str(), controller_.ApplicationTitle(),
                                      PromptIcon::Warning, PromptButtons::Ok);
    return;
  }
  // As a clone read would take it in, without the model switch a read may make.
  controller_.AfterRead(radio);
  controller_.Normalise(radio, NormaliseDirection::AfterLoad);
  const std::string origin = "the radio (" + modelName(radioModel) + ", version " +
                             std::to_string(session_.RadioVersion()) + ")";
  controller_.Comparisons().Show("Compare with Radio", origin, radio);
}

// ---------------------------------------------------------------------------------------
// Clone write

void CloneCommands::CloneWrite() {
  controller_.Bus().Send(msg::CommitEdits{});
  controller_.Warnings().CheckNow();
  OverlayText& overlay = controller_.Overlay();
  Prompts& prompts = controller_.UserPrompts();
  if (!controller_.Warnings().ErrorSheets().empty()) {
    // Names the first cell in error and offers to show it.
    const auto& first = controller_.Warnings().FirstError();
    MainView* view = controller_.View();
    const std::string sheet = first ? first->sheet : controller_.Warnings().ErrorSheets().front();
    const std::string caption = view != nullptr ? view->SheetCaption(sheet) : sheet;
    const std::string where =
        first && overlay.HasKey("GI_Mess_DataError_Place")
            ? OverlayText::FillIn(
                  overlay.GetFirstLine("GI_Mess_DataError_Place"),
                  {caption, std::to_string(first->index + 1), WithoutFullStop(first->reason)})
            : caption;
    const std::string text = OverlayText::FillIn(overlay.GetText("GI_Mess_DataError"), {where});
    const PromptAnswer answer = prompts.Message(text, controller_.ApplicationTitle(),
                                                PromptIcon::Error, PromptButtons::YesNo);
    if (answer == PromptAnswer::Yes && view != nullptr) {
      if (first) {
        view->ShowEditPlace(first->sheet, first->cellLink, first->index);
      } else {
        view->OpenSheet(sheet);
      }
    }
    return;
  }
  if (link_.IsBusy() || !controller_.Modes().MakerWriteAllowed()) return;
  if (prompts.Message(overlay.GetText("GI_Mess_Confirm_CloneWrite"), controller_.ApplicationTitle(),
                      PromptIcon::Warning, PromptButtons::OkCancel) != PromptAnswer::Ok) {
    return;
  }
  Prepare();
  link_.Identify([this](LinkResult& identified) { WriteIdentified(identified); });
}

void CloneCommands::WriteIdentified(LinkResult& identified) {
  if (identified.status != kLinkOk || link_.IsBusy()) return;
  EepromImage& working = document_.Working();
  const bool changed = document_.CheckDirty();
  controller_.Normalise(working, NormaliseDirection::BeforeSave);
  document_.AbsorbProgramChanges();
  if (!changed) document_.MarkClean();
  outgoing_.Assign(working);
  const AddressRange* ranges =
      session_.WriteList(controller_.Modes().Maker() ? CloneSession::WriteMode::Maker
                                                     : CloneSession::WriteMode::Normal,
                         document_.Template());
  link_.Write(outgoing_, ranges, [this](LinkResult& written) {
    if (written.status != kLinkOk) return;
    if (controller_.View() != nullptr) controller_.View()->CloseCurrentSheet();
    controller_.UserPrompts().Message(controller_.Overlay().GetText("GI_Mess_CloneWrite_Succeeded"),
                                      controller_.ApplicationTitle(), PromptIcon::Information,
                                      PromptButtons::Ok);
  });
}

// ---------------------------------------------------------------------------------------
// Clone information

void CloneCommands::CloneInfo() {
  if (link_.IsBusy()) return;
  Prepare();
  link_.Identify([this](LinkResult& identified) {
    if (identified.status != kLinkOk) return;
    if (controller_.View() != nullptr && controller_.View()->ShowCloneInfo()) return;
    controller_.UserPrompts().Message(InfoText(), controller_.ApplicationTitle(),
                                      PromptIcon::Information, PromptButtons::Ok);
  });
}

std::string CloneCommands::InfoText() {
  OverlayText& overlay = controller_.Overlay();
  // The digits as the radio sent them, so that a version that is no number still shows.
  std::string revision;
  for (const int at : {0, 2, 3, 4}) {
    const std::uint8_t digit = session_.IdBlock()[CloneSession::kIdVersionByte + at];
    revision += digit >= 0x20 && digit < 0x7F ? static_cast<char>(digit) : '?';
  }
  const auto fill = [&overlay](int line, const std::string& value) {
    std::string text = overlay.GetLine("GI_AppInd_CloneInfo", line);
    const auto slot = text.find("%s");
    if (slot != std::string::npos) text.replace(slot, 2, value);
    return text;
  };
  return fill(0, overlay.GetLine("GI_AppInd_Model", controller_.CellModelType())) + "\n" +
         fill(1, revision);
}

// ---------------------------------------------------------------------------------------
// Adjustment values

void CloneCommands::RunAdjustList(std::vector<AdjustLink::Item> items, bool readAll) {
  if (link_.IsBusy()) return;
  Prepare();
  link_.Link().SetItemList(items);
  link_.AdjustList([this, readAll](LinkResult& result) {
    if (readAll && result.status == kLinkOk) adjustValues_.SetHasValues(true);
    if (readAll && adjustWindowRefresh_) {
      adjustWindowRefresh_ = false;
      controller_.Bus().Send(msg::DataChanged{});
    }
    AdjustmentDone();
  });
}

void CloneCommands::AdjustmentDone() {
  // Two of the values live in the image: the dirty check and the warnings look again.
  controller_.AfterImageWrite();
  controller_.Bus().Send(msg::DataChanged{});
}

void CloneCommands::OpenAdjustWindow() {
  controller_.Bus().Post(msg::OpenAdjustWindow{});
  adjustWindowOpen_ = true;
  controller_.Bus().Send(msg::ModeChanged{});
}

void CloneCommands::ReadAllAdjustValues() { RunAdjustList(adjustValues_.ReadAllItems(), true); }

void CloneCommands::ReadOneAdjustValue(int which) {
  if (which < 0 || which > 1) return;
  std::uint8_t* destination = document_.Working().Data() + kReadOneAddresses[which];
  RunAdjustList({{kReadOneCodes[which], nullptr, destination}, AdjustLink::Item{}}, false);
}

bool CloneCommands::SetAdjustValue(std::uint8_t code, std::uint8_t value, std::uint8_t* destination,
                                   bool readBack) {
  if (link_.IsBusy()) {
    RefuseWhileBusy();
    return false;
  }
  Prepare();
  link_.Link().SetValue(code, value, readBack ? destination : nullptr);
  return SendAdjustValue([value, destination, readBack] {
    if (!readBack && destination != nullptr) *destination = value;
  });
}

bool CloneCommands::SetTwelveBitValue(std::uint16_t value) {
  if (link_.IsBusy()) {
    RefuseWhileBusy();
    return false;
  }
  Prepare();
  link_.Link().SetValue12(AdjustLink::kTwelveBitCode, value);
  return SendAdjustValue([this, value] { adjustValues_.SetTwelveBitValue(value); });
}

bool CloneCommands::SetSheetValue(int cellLink, int value) {
  const std::optional<AdjustmentCodes::Code> code = AdjustmentCodes::Of(cellLink);
  if (!code || value < 0 || value > AdjustmentCodes::Maximum(cellLink)) return false;
  if (code->twelveBit) return SetTwelveBitValue(static_cast<std::uint16_t>(value));
  if (link_.IsBusy()) {
    RefuseWhileBusy();
    return false;
  }
  Prepare();
  link_.Link().SetValue(code->code, static_cast<std::uint8_t>(value), nullptr);
  return SendAdjustValue([this, cellLink, value] { adjustValues_.SetSheetValue(cellLink, value); });
}

bool CloneCommands::SendAdjustValue(std::function<void()> sent) {
  return link_.AdjustWrite([this, sent = std::move(sent)](LinkResult& result) {
    if (result.status == kLinkOk) sent();
    AdjustmentDone();
  });
}

void CloneCommands::RefuseWhileBusy() {
  OverlayText& overlay = controller_.Overlay();
  if (!overlay.HasKey("GI_Mess_Adjust_Busy")) return;
  controller_.PostStatusText(overlay.GetFirstLine("GI_Mess_Adjust_Busy"), kWarningStatus.text,
                             kWarningStatus.background);
}

// ---------------------------------------------------------------------------------------
// The port

void CloneCommands::SetPort(int port) {
  if (port < 1 || port > kMaxPortNumber) return;
  controller_.Settings().portNumber = port;
  controller_.Bus().Send(msg::RefreshMenuStates{});
  controller_.Bus().Send(msg::RefreshToolbarStates{});
}

bool CloneCommands::PortChecked(int port) const {
  return controller_.Settings().portNumber == port;
}

bool CloneCommands::UsbPortChecked() const { return controller_.Settings().portNumber >= 5; }

void CloneCommands::ShowPortDialog(PortField field) {
  if (controller_.View() == nullptr) return;
  LinkView* windows = controller_.View()->LinkWindows();
  if (windows == nullptr) return;
  const std::optional<int> port =
      windows->AskPort(field, controller_.Settings().portNumber, link_.Ports());
  if (port) SetPort(*port);
}

}  // namespace rtv
