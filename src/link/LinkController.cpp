// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LinkController.h"

#include <algorithm>

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
// One line per status, naming the help topic of its message.
constexpr const char* kHelpTopicKey = "GI_Mess_CloneErr_Help";

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

std::string Line(OverlayText& overlay, const char* key, int line, const char* fallback) {
  return overlay.HasKey(key) ? overlay.GetLine(key, line) : std::string(fallback);
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

bool LinkController::Begin(Handler then) {
  if (link_.IsBusy()) return false;
  startMs_ = services_.clock.NowMs();
  then_ = std::move(then);
  PrepareLink(kNormal);
  return true;
}

bool LinkController::Identify(Handler then) {
  if (!Begin(std::move(then))) return false;
  link_.StartIdentify([this](LinkResult& result) { Complete(result); });
  DisableMainWindow();
  return true;
}

bool LinkController::Read(const AddressRange* ranges, Handler then) {
  if (!Begin(std::move(then))) return false;
  totalBytes_ = RangeBytes(ranges);
  link_.StartRead(ranges, [this](LinkResult& result) { Complete(result); });
  StartProgress(1);
  return true;
}

bool LinkController::Write(const EepromImage& image, const AddressRange* ranges, Handler then) {
  if (!Begin(std::move(then))) return false;
  totalBytes_ = RangeBytes(ranges);
  link_.StartWrite(image, ranges, [this](LinkResult& result) { Complete(result); });
  StartProgress(0);
  return true;
}

bool LinkController::AdjustWrite(Handler then) {
  if (!Begin(std::move(then))) return false;
  link_.StartAdjustWrite([this](LinkResult& result) { Complete(result); });
  DisableMainWindow();
  return true;
}

bool LinkController::AdjustList(Handler then) {
  if (!Begin(std::move(then))) return false;
  link_.StartAdjustList([this](LinkResult& result) { Complete(result); });
  DisableMainWindow();
  return true;
}

void LinkController::DisableMainWindow() {
  if (view_ != nullptr) view_->SetMainWindowEnabled(false);
}

void LinkController::StartProgress(int captionLine) {
  progressShown_ = true;
  captionLine_ = captionLine;
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

void LinkController::Cancel() {
  if (link_.IsBusy()) link_.Cancel();
}

std::string LinkController::GroupedNumber(long long value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return value < 0 ? "-" + digits : digits;
}

std::string LinkController::ActivityText() const {
  const std::string path = PortDevicePath(link_.PortNumber(), services_.ports);
  const std::string port = path.empty() ? "port " + std::to_string(link_.PortNumber()) : path;
  return OverlayText::FillIn(Line(services_.overlay, "GI_Mess_CloneRW_Activity", captionLine_,
                                  "Talking to the radio on %1"),
                             {port});
}

std::string LinkController::ProgressText() const {
  return ProgressText(services_.overlay, link_.DataDone(), totalBytes_,
                      services_.clock.NowMs() - startMs_);
}

std::string LinkController::ProgressText(OverlayText& overlay, int done, int total,
                                         std::int64_t elapsedMs) {
  if (total <= 0) return {};
  done = std::clamp(done, 0, total);
  const int percent = static_cast<int>(static_cast<long long>(done) * 100 / total);
  std::vector<std::string> values = {GroupedNumber(done), GroupedNumber(total),
                                     std::to_string(percent)};
  // An estimate from the first second or from no data at all would only jump about.
  constexpr std::int64_t kSettledMs = 1000;
  if (done == 0 || elapsedMs < kSettledMs) {
    return OverlayText::FillIn(Line(overlay, "GI_Mess_CloneRW_Progress", 0, "%1 of %2 bytes (%3%)"),
                               values);
  }
  const std::int64_t leftMs = elapsedMs * (total - done) / done;
  values.push_back(std::to_string((leftMs + 999) / 1000));
  return OverlayText::FillIn(
      Line(overlay, "GI_Mess_CloneRW_Progress", 1, "%1 of %2 bytes (%3%), about %4 s left"),
      values);
}

void LinkController::Complete(LinkResult& result) {
  endMs_ = services_.clock.NowMs();
  if (result.exchange == Exchange::Identify && result.status == kLinkOk) {
    if (identifyHandler_) {
      identifyHandler_(result);
    } else {
      result.status = kLinkIdentity;
    }
  } else if (result.exchange == Exchange::Read && result.status == kLinkOk) {
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
    if (progressShown_ && result.exchange != Exchange::AdjustList) view_->CloseProgress();
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
  if (!port.OpenBusyReason().empty()) head += "\n" + port.OpenBusyReason();
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
  // Who holds the port is the whole answer; the cable is not the problem then.
  if (status == kLinkPortFailed && !link_.Port().OpenBusyReason().empty()) return text;
  // Data went out: what the radio holds now is neither the old memory nor the new.
  if (link_.CurrentExchange() == Exchange::Write && link_.FrameCount() > 0 &&
      overlay.HasKey("GI_Mess_CloneWrite_Partly")) {
    text += "\n\n" + overlay.GetText("GI_Mess_CloneWrite_Partly");
  }
  text += "\n\n";
  const std::vector<int> checks = CheckLines(status);
  for (std::size_t i = 0; i < checks.size(); ++i) {
    if (i > 0) text += "\n";
    text += overlay.GetLine("GI_Mess_CloneErr_Check", checks[i]);
  }
  // The last line names the message's topic in the help, where the overlay has them.
  if (overlay.HasKey(kHelpTopicKey)) {
    if (!checks.empty()) text += "\n\n";
    text += overlay.GetLine(kHelpTopicKey, line);
  }
  return text;
}

void LinkController::ShowError(int status) {
  if (status == kLinkOk) return;
  if (status == kLinkCancelled) {
    // Stopping was the user's wish: only a write that sent data leaves something to say.
    if (link_.CurrentExchange() != Exchange::Write || link_.FrameCount() == 0) return;
    std::string text =
        Line(services_.overlay, "GI_Mess_CloneRW_Stopped", 1, "The write was stopped.");
    if (services_.overlay.HasKey("GI_Mess_CloneWrite_Partly")) {
      text += "\n\n" + services_.overlay.GetText("GI_Mess_CloneWrite_Partly");
    }
    services_.prompts.Message(text, services_.overlay.GetFirstLine("GI_Sys_AppTitle"),
                              PromptIcon::Warning, PromptButtons::Ok);
    return;
  }
  services_.prompts.Message(ErrorText(status), services_.overlay.GetFirstLine("GI_Sys_AppTitle"),
                            PromptIcon::Error, PromptButtons::Ok);
}

}  // namespace rtv
