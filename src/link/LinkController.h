// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/AdjustLink.h"
#include "link/PortDiscovery.h"

namespace rtv {

class Clock;
class OverlayText;
class LinkView;
class Prompts;
class SerialDevice;
class Timers;
class TimerTask;

// Runs the radio exchanges for the commands: prepares the link, shows the progress, turns
// the outcome into a message and hands it on to the command's continuation.
class LinkController {
 public:
  using Handler = std::function<void(LinkResult&)>;
  enum Profile { kNormal, kSlow };
  static constexpr int kProgressMs = 30;

  struct Services {
    SerialDevice& device;
    Timers& timers;
    const Clock& clock;
    Prompts& prompts;
    OverlayText& overlay;
    PortEnvironment ports;
    std::function<int()> portNumber;  // the ComPort setting, read before every exchange
  };

  explicit LinkController(Services services);
  ~LinkController();
  LinkController(const LinkController&) = delete;
  LinkController& operator=(const LinkController&) = delete;

  void SetView(LinkView* view) { view_ = view; }
  LinkView* View() const { return view_; }
  // Checks of an identify answer and of a read image; without them the exchange fails.
  void SetIdentifyHandler(Handler handler) { identifyHandler_ = std::move(handler); }
  void SetReadHandler(Handler handler) { readHandler_ = std::move(handler); }

  void PrepareLink(Profile profile);
  // The port and line settings, preamble, data lead and echo check of a profile, on any
  // link (the command-line tool drives its own).
  static void PrepareLine(CloneLink& link, int portNumber, Profile profile);
  // Each returns false at once while the link is busy.
  bool Identify(Handler then);
  bool Read(const AddressRange* ranges, Handler then);
  bool Write(const EepromImage& image, const AddressRange* ranges, Handler then);
  bool AdjustWrite(Handler then);
  bool AdjustList(Handler then);
  bool IsBusy() const { return link_.IsBusy(); }
  // Stops the running exchange; its continuation gets kLinkCancelled. A stopped read
  // changes nothing; a stopped write is said to have left the radio partly written.
  void Cancel();

  // "Reading from the radio on /dev/ttyUSB0" for the exchange with a progress window.
  std::string ActivityText() const;
  // "5,120 of 11,104 bytes (46%), about 2 s left" for it now.
  std::string ProgressText() const;
  static std::string ProgressText(OverlayText& overlay, int done, int total,
                                  std::int64_t elapsedMs);
  // 11104 as "11,104".
  static std::string GroupedNumber(long long value);
  // How long the last exchange took from its start to its end.
  std::int64_t LastExchangeMs() const { return endMs_ - startMs_; }

  // The message of a status; nothing for 0.
  void ShowError(int status);
  std::string ErrorText(int status);

  AdjustLink& Link() { return link_; }
  const PortEnvironment& Ports() const { return services_.ports; }
  // Lit segments of the progress bar: data done × 33 / total bytes.
  int LitSegments() const;
  int TotalBytes() const { return totalBytes_; }
  bool ProgressShown() const { return progressShown_; }

  static int RangeBytes(const AddressRange* ranges);

 private:
  bool Begin(Handler then);
  void DisableMainWindow();
  void StartProgress(int captionLine);
  void Complete(LinkResult& result);
  void ProgressTick();
  std::string PortFailureText();

  Services services_;
  AdjustLink link_;
  LinkView* view_ = nullptr;
  Handler identifyHandler_;
  Handler readHandler_;
  Handler then_;
  int totalBytes_ = 0;
  int captionLine_ = 0;
  std::int64_t startMs_ = 0;
  std::int64_t endMs_ = 0;
  bool progressShown_ = false;
  std::unique_ptr<TimerTask> progressTask_;
};

}  // namespace rtv
