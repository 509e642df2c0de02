// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LinkController.h"

#include "base/Prompts.h"
#include "base/TimerTask.h"
#include "link/LinkView.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr const char* kNormalSettings = "38400,N,8,1";
constexpr const char* kSlowSettings = "19200,N,8,1";
constexpr int kNormalPreamble = 48;
constexpr int kNormalLead = 58;
constexpr int kSlowPreamble = 12;
constexpr int kLastStatusLine = 17;

std::vector<int> CheckLines(int status) {
  switch (status) {
    case kLinkWriteRefused:
      return {0, 2, 3};
    case kLinkIdentity:
    case kLinkAdjustment:
      return {0, 1, 2, 3, 4, 5};
    case kLinkAdjustmentValue:
      return {6, 7};
    case kLinkIdBlock:
      return {0, 4, 5};
    case kLinkImageCheck2:
      return {};
    default:
      return {0, 1, 2, 3};
  }
}

}  // namespace

LinkController::LinkController(Services services)
    : services_(std::move(services)),
      link_(services_.device, services_.timers, services_.clock,
            [ports = services_.ports](int number) { return PortDevicePath(number, ports); }),
      progressTask_(std::make_unique<TimerTask>(services_.timers)) {
  progressTask_->Bind([this](TimerTask&) { ProgressTick(); });
}

LinkController::~LinkController() { TimerTask::Dispose(std::move(progressTask_)); }

int LinkController::RangeBytes(const AddressRange* ranges) {
  int total = 0;
  for (; ranges->last >= ranges->first; ++ranges) total += ranges->last - ranges->first + 1;
  return total;
}

void LinkController::PrepareLink(Profile profile) {
  PrepareLine(link_, services_.portNumber ? services_.portNumber() : 1, profile);
}

void LinkController::PrepareLine(CloneLink& link, int portNumber, Profile profile) {
  if (profile == kNormal) {
    link.SetPort(portNumber, kNormalSettings);
    link.SetPreamble(kNormalPreamble);
    link.SetDataLead(kNormalLead, kNormalLead);
  } else {
    link.SetPort(portNumber, kSlowSettings);
    link.SetPreamble(kSlowPreamble);
    link.SetDataLead(0, 0);
  }
  link.SetEchoCheck(true);
}

bool LinkController::Begin(int mode, Handler then) {
  if (link_.IsBusy()) return false;
  mode_ = mode;
  then_ = std::move(then);
  PrepareLink(kNormal);
  return true;
}

bool LinkController::Identify(Handler then) {
  if (!Begin(kIdentify, std::move(then))) return false;
  link_.StartIdentify([this](LinkResult& result) { Complete(result); });
  DisableMainWindow();
  return true;
}

bool LinkController::Read(const AddressRange* ranges, Handler then) {
  if (!Begin(kRead, std::move(then))) return false;
  totalBytes_ = RangeBytes(ranges);
  link_.StartRead(ranges, [this](LinkResult& result) { Complete(result); });
  StartProgress(1);
  return true;
}

bool LinkController::Write(const EepromImage& image, const AddressRange* ranges, Handler then) {
  if (!Begin(kWrite, std::move(then))) return false;
  totalBytes_ = RangeBytes(ranges);
  link_.StartWrite(image, ranges, [this](LinkResult& result) { Complete(result); });
  StartProgress(0);
  return true;
}

bool LinkController::AdjustWrite(Handler then) {
  if (!Begin(kAdjust, std::move(then))) return false;
  link_.StartAdjustWrite([this](LinkResult& result) { Complete(result); });
  DisableMainWindow();
  return true;
}

bool LinkController::AdjustList(Handler then) {
  if (!Begin(kAdjust, std::move(then))) return false;
  link_.StartAdjustList([this](LinkResult& result) { Complete(result); });
  DisableMainWindow();
  return true;
}

void LinkController::DisableMainWindow() {
  if (view_ != nullptr) view_->SetMainWindowEnabled(false);
}

void LinkController::StartProgress(int captionLine) {
  progressShown_ = true;
  if (view_ != nullptr) {
    view_->ShowProgress(services_.overlay.GetLine("GI_Mess_CloneRW_Title_Message", captionLine),
                        *this);
  }
  DisableMainWindow();
  progressTask_->Schedule(kProgressMs);
}

int LinkController::LitSegments() const {
  // 33 rather than 32: the last segment lights once nearly all of the data has moved.
  if (totalBytes_ <= 0) return 0;
  return static_cast<int>(static_cast<long long>(link_.DataDone()) * 33 / totalBytes_);
}

void LinkController::ProgressTick() {
  if (view_ != nullptr && progressShown_) view_->RepaintProgress();
  if (!link_.IsBusy()) progressTask_->Schedule(-1);
}

void LinkController::Complete(LinkResult& result) {
  if (result.mode == CloneLink::kModeIdentify && result.status == kLinkOk) {
    if (identifyHandler_) {
      identifyHandler_(result);
    } else {
      result.status = kLinkIdentity;
    }
  } else if (result.mode == CloneLink::kModeRead && result.status == kLinkOk) {
    if (readHandler_) {
      readHandler_(result);
    } else {
      result.status = kLinkIncomplete;
    }
  }
  // The last picture of the bar shows how far the exchange came before any message.
  if (view_ != nullptr && progressShown_) view_->RepaintProgress();
  ShowError(result.status);
  if (view_ != nullptr) {
    view_->SetMainWindowEnabled(true);
    if (progressShown_ && result.mode != AdjustLink::kModeAdjustList) view_->CloseProgress();
  }
  progressShown_ = false;
  progressTask_->Schedule(-1);
  Handler then = std::move(then_);
  then_ = nullptr;
  if (then) then(result);
}

std::string LinkController::PortFailureText() {
  OverlayText& overlay = services_.overlay;
  const SerialPort& port = link_.Port();
  std::string head = overlay.GetLine("GI_Mess_CloneErr_Head", kLinkPortFailed);
  const auto number = head.find("%d");
  if (number != std::string::npos) head.replace(number, 2, std::to_string(link_.PortNumber()));
  const std::string& path = port.OpenPath();
  if (path.empty()) return head + "\n" + overlay.GetText("GI_Mess_Port_NoDevice");
  std::string device = overlay.GetFirstLine("GI_Mess_Port_Device");
  const auto slot = device.find("%s");
  if (slot != std::string::npos) device.replace(slot, 2, path);
  head += "\n" + device;
  if (port.OpenError() == SerialError::PermissionDenied) {
    head += "\n" + overlay.GetText("GI_Mess_Port_Denied");
  }
  return head;
}

std::string LinkController::ErrorText(int status) {
  if (status == kLinkOk) return {};
  OverlayText& overlay = services_.overlay;
  // Statuses beyond the table are never produced; the general line stands in for them
  // rather than a missing line ending the program.
  const int line = status > 0 && status <= kLastStatusLine ? status : 1;
  std::string text = status == kLinkPortFailed ? PortFailureText()
                                               : overlay.GetLine("GI_Mess_CloneErr_Head", line);
  text += "\n\n";
  const std::vector<int> checks = CheckLines(status);
  for (std::size_t i = 0; i < checks.size(); ++i) {
    if (i > 0) text += "\n";
    text += overlay.GetLine("GI_Mess_CloneErr_Check", checks[i]);
  }
  return text;
}

void LinkController::ShowError(int status) {
  if (status == kLinkOk) return;
  services_.prompts.Message(ErrorText(status), services_.overlay.GetFirstLine("GI_Sys_AppTitle"),
                            PromptIcon::Error, PromptButtons::Ok);
}

}  // namespace rtv
