// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/ByteQueue.h"
#include "link/FrameSplitter.h"
#include "link/LinkResult.h"
#include "link/LinkTrace.h"
#include "link/SerialPort.h"
#include "radio/EepromImage.h"

namespace rtv {

class Clock;
struct DataFrame;
class SerialDevice;
class Timers;
class TimerTask;

// The clone protocol: one exchange at a time (identify, read, write) as a state machine
// stepped every 10 ms on the GUI thread; a step with nothing to wait for hands over to the
// next at once. Every byte sent is checked against its echo on the single-wire bus; frames
// from the radio are taken apart without trusting them.
class CloneLink {
 public:
  using Callback = std::function<void(LinkResult&)>;

  // The steps of an exchange. Identify, read and write each take their own way from the
  // port set-up to the drain; the extra steps are for a link with exchanges of its own.
  enum class State {
    Idle,
    Started,
    WaitOutput,
    OpenPort,
    SendIdentify,
    WaitIdentify,
    SendRead,
    ReceiveData,
    SendWrite,
    SendData,
    SendEnd,
    WaitWriteAnswer,
    ExtraNext,
    ExtraSend,
    ExtraWait,
    Drain,
    Finish,
  };
  static constexpr std::size_t kStateCount = static_cast<std::size_t>(State::Finish) + 1;

  static constexpr int kStepMs = 10;
  static constexpr int kReadChunk = 256;
  static constexpr int kNormalTimeoutMs = 1000;
  static constexpr int kFinalAnswerTimeoutMs = 2000;
  static constexpr int kSettleMs = 100;  // the quiet wait when the line speed is not known
  // USB adapters hand bytes over in bursts up to 16 ms apart: a shorter quiet proves nothing.
  static constexpr int kMinQuietMs = 30;
  // The longest frame a radio sends while streaming memory: a 64-byte data frame with
  // every body byte escaped (five header bytes, 68 body bytes twice, the terminator).
  static constexpr int kLongestStreamFrame = 5 + 2 * 68 + 1;
  // An exchange started this soon after a clean one on the same line follows it directly.
  static constexpr int kFollowOnMs = 250;
  static constexpr int kSettleDiscardLimit = 65535;
  static constexpr int kEchoWindow = 128;     // echo bytes that may lag while sending memory
  static constexpr int kMaxTakenFrame = 520;  // longer answers are noise
  static constexpr int kMaxDataFrame = 521;   // the longest frame taken, FD left off
  static constexpr int kCompactAbove = 4096;

  CloneLink(SerialDevice& device, Timers& timers, const Clock& clock,
            SerialPort::PathResolver resolver);
  virtual ~CloneLink();
  CloneLink(const CloneLink&) = delete;
  CloneLink& operator=(const CloneLink&) = delete;

  // Set-up before each exchange.
  void SetPort(int portNumber, const std::string& settings);
  void SetModelWords(std::uint16_t modelCode, std::uint16_t extensionCode);
  void SetImageSize(int bytes);
  void SetPreamble(int count);
  void SetDataLead(int firstFrame, int laterFrames);
  void SetEchoCheck(bool on);
  void SetEndCount(bool on);
  // A record of every frame and state change from now on; null for none.
  void SetTrace(LinkTrace* trace);
  LinkTrace* CurrentTrace() const { return trace_; }

  // Each returns false and does nothing while an exchange runs. The callback is called
  // once, from a tick, when the exchange has ended. Range lists end with a pair whose
  // last address is below its first and must lie inside the image.
  bool StartIdentify(Callback callback);
  bool StartRead(const AddressRange* ranges, Callback callback);
  bool StartWrite(const EepromImage& image, const AddressRange* ranges, Callback callback);

  // Stops the running exchange at once: what is not yet sent is dropped, the port is
  // closed on the next tick and the callback gets kLinkCancelled. A read's image is then
  // incomplete; a write's radio may hold part of the new memory.
  void Cancel();

  bool IsBusy() const { return state_ != State::Idle; }
  Exchange CurrentExchange() const { return exchange_; }
  State CurrentState() const { return state_; }
  int DataDone() const { return dataDone_; }
  int FrameCount() const { return frameCount_; }
  int BytesMoved() const { return bytesMoved_; }
  int PortNumber() const { return portNumber_; }
  SerialPort& Port() { return port_; }

 protected:
  // The step after the port set-up for exchanges other than identify, read and write.
  virtual State FirstSendState(Exchange exchange);
  // The work of the extra steps; returns the next step and may clear progress.
  virtual State StepExtra(State state, bool& progress);

  // For the exchanges of a specialised link: starts one of its own.
  bool StartExtra(Exchange exchange, Callback callback);
  bool TakeFrame(ByteQueue& frame);
  // Writes the bytes, expects their echo and empties the frame buffer.
  void SendBytes(const ByteQueue& bytes);
  LinkResult& Result() { return *result_; }
  std::uint16_t ModelCode() const { return modelCode_; }
  std::uint16_t ExtensionCode() const { return extensionCode_; }
  int PreambleCount() const { return preamble_; }

 private:
  // What a tick's work decided: the state stays unless the work moves it on.
  struct Step {
    State next;
    bool progress;
  };
  enum class Echo { Done, Waiting, Differs };
  // One row of the step table: the work of a state, which says where to go next.
  struct StateWork {
    State state;
    const char* name;
    void (CloneLink::*work)(Step&);
  };
  static const StateWork kStateWork[kStateCount];

  bool Start(Exchange exchange, Callback callback);
  void SetRanges(const AddressRange* ranges, std::int32_t imageSize);
  void Tick();
  void RunStep();
  Echo EchoStage(Step& step);
  // True when the request goes out once more after a quiet line.
  bool AskAgainAfterQuiet();
  void RestartTimeout(int ms);
  void Trace(const std::string& what);
  // ended adds the FD that the frame splitter leaves off.
  void TraceFrame(const char* direction, const ByteQueue& frame, const char* outcome,
                  bool ended = false);
  // The most data bytes a read may bring: what its ranges hold.
  int ReadLimit() const;
  // How long the longest frame takes on the line at its speed.
  std::int64_t FrameTimeMs() const;
  // How long a clean line must stay quiet before the first request of a command.
  std::int64_t QuietLineMs() const;
  // Whether this exchange follows, on the same line, one that ended with the radio's last
  // frame moments ago: the radio has nothing more to say, so the line needs no quiet wait.
  bool FollowsCleanExchange() const;

  void DoNothing(Step& step);
  void StayIdle(Step& step);
  void Begin(Step& step);
  void WaitOutput(Step& step);
  void OpenPort(Step& step);
  void SendIdentify(Step& step);
  void WaitIdentify(Step& step);
  void SendRead(Step& step);
  void ReceiveData(Step& step);
  void SendWrite(Step& step);
  void SendData(Step& step);
  void SendEnd(Step& step);
  void WaitWriteAnswer(Step& step);
  void Extra(Step& step);
  void Drain(Step& step);

  void SendRequest(std::uint8_t command);
  int ReadInto(ByteQueue& buffer);
  // Takes a data frame's memory into the image and marks its addresses as received.
  void StoreData(const DataFrame& data);
  LinkStatus CheckCoverage();
  void CheckIdentifyAnswer(const ByteQueue& frame);

  SerialPort port_;
  const Clock& clock_;
  std::unique_ptr<TimerTask> task_;

  int portNumber_ = 1;
  std::string settings_ = "19200,n,8,1";
  std::uint16_t modelCode_ = 0;
  std::uint16_t extensionCode_ = 0;
  int imageSize_ = 1;
  int preamble_ = 0;
  int leadFirst_ = 0;
  int leadLater_ = 0;
  Exchange exchange_ = Exchange::Identify;
  bool endCount_ = true;
  bool echoCheck_ = false;
  int blockSize_ = 64;

  ByteQueue received_;
  FrameSplitter incoming_{kMaxDataFrame};  // the frame from the radio taking shape
  ByteQueue outgoing_;                     // a data frame not yet handed to the port
  ByteQueue expectedEcho_;
  int bytesMoved_ = 0;
  int frameCount_ = 0;
  int dataDone_ = 0;
  std::vector<AddressRange> ranges_;  // ends with its terminating pair
  int rangeBytes_ = 0;                // the addresses the ranges hold
  LinkTrace* trace_ = nullptr;
  std::int64_t traceStartMs_ = 0;
  std::size_t rangeIndex_ = 0;
  int nextAddress_ = 0;
  std::unique_ptr<LinkResult> result_;
  Callback callback_;
  State state_ = State::Idle;
  bool timeoutRunning_ = false;
  std::int64_t timeoutDeadline_ = 0;
  bool settling_ = false;
  int settleDropped_ = 0;
  bool requestAskedAgain_ = false;
  std::int64_t quietSinceMs_ = 0;
  std::int64_t quietNeededMs_ = 0;
  // The last exchange that ended cleanly: when, and on which line.
  bool lastClean_ = false;
  std::int64_t lastCleanEndMs_ = 0;
  int lastCleanPort_ = 0;
  std::string lastCleanSettings_;
};

}  // namespace rtv
