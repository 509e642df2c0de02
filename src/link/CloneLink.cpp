// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CloneLink.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

#include "base/Fatal.h"
#include "base/TimerTask.h"
#include "base/Timers.h"
#include "link/CloneFrames.h"

namespace rtv {
namespace {

const char* ExchangeName(Exchange exchange) {
  switch (exchange) {
    case Exchange::Identify:
      return "identify";
    case Exchange::Read:
      return "read";
    case Exchange::Write:
      return "write";
    case Exchange::AdjustWrite:
      return "adjust write";
    case Exchange::AdjustList:
      break;
  }
  return "adjust list";
}

}  // namespace

constexpr CloneLink::StateWork CloneLink::kStateWork[] = {
    {State::Idle, "Idle", &CloneLink::StayIdle},
    {State::Started, "Started", &CloneLink::Begin},
    {State::WaitOutput, "WaitOutput", &CloneLink::WaitOutput},
    {State::OpenPort, "OpenPort", &CloneLink::OpenPort},
    {State::SendIdentify, "SendIdentify", &CloneLink::SendIdentify},
    {State::WaitIdentify, "WaitIdentify", &CloneLink::WaitIdentify},
    {State::SendRead, "SendRead", &CloneLink::SendRead},
    {State::ReceiveData, "ReceiveData", &CloneLink::ReceiveData},
    {State::SendWrite, "SendWrite", &CloneLink::SendWrite},
    {State::SendData, "SendData", &CloneLink::SendData},
    {State::SendEnd, "SendEnd", &CloneLink::SendEnd},
    {State::WaitWriteAnswer, "WaitWriteAnswer", &CloneLink::WaitWriteAnswer},
    {State::ExtraNext, "ExtraNext", &CloneLink::Extra},
    {State::ExtraSend, "ExtraSend", &CloneLink::Extra},
    {State::ExtraWait, "ExtraWait", &CloneLink::Extra},
    {State::Drain, "Drain", &CloneLink::Drain},
    {State::Finish, "Finish", &CloneLink::DoNothing},  // the tick ends the exchange
};

CloneLink::CloneLink(SerialDevice& device, Timers& timers, const Clock& clock,
                     SerialPort::PathResolver resolver)
    : port_(device, timers, std::move(resolver)),
      clock_(clock),
      task_(std::make_unique<TimerTask>(timers)) {
  task_->Bind([this](TimerTask&) { Tick(); });
}

CloneLink::~CloneLink() {
  TimerTask::Dispose(std::move(task_));
  port_.Close();
}

void CloneLink::SetPort(int portNumber, const std::string& settings) {
  portNumber_ = portNumber;
  settings_ = settings;
}

void CloneLink::SetModelWords(std::uint16_t modelCode, std::uint16_t extensionCode) {
  modelCode_ = modelCode;
  extensionCode_ = extensionCode;
}

void CloneLink::SetImageSize(int bytes) { imageSize_ = std::max(bytes, 1); }
void CloneLink::SetPreamble(int count) { preamble_ = std::max(count, 0); }

void CloneLink::SetDataLead(int firstFrame, int laterFrames) {
  leadFirst_ = std::max(firstFrame, 0);
  leadLater_ = std::max(laterFrames, 0);
}

void CloneLink::SetEchoCheck(bool on) { echoCheck_ = on; }
void CloneLink::SetEndCount(bool on) { endCount_ = on; }

CloneLink::State CloneLink::FirstSendState(Exchange) { return State::SendIdentify; }

CloneLink::State CloneLink::StepExtra(State, bool&) { return State::Idle; }

// ---------------------------------------------------------------------------------------
// Starting and ticking

bool CloneLink::Start(Exchange exchange, Callback callback) {
  callback_ = std::move(callback);
  bytesMoved_ = 0;
  frameCount_ = 0;
  dataDone_ = 0;
  exchange_ = exchange;
  result_ = std::make_unique<LinkResult>();
  result_->exchange = exchange;
  result_->status = kLinkPortFailed;
  result_->modelCode = modelCode_;
  result_->extensionCode = extensionCode_;
  result_->image.SetSize(imageSize_);
  timeoutRunning_ = false;
  settling_ = false;
  requestAskedAgain_ = false;
  state_ = State::Started;
  if (trace_ != nullptr) Trace(std::string("start ") + ExchangeName(exchange));
  // The first step comes at once; Tick sets the pace from then on.
  task_->Schedule(0);
  return true;
}

void CloneLink::SetRanges(const AddressRange* ranges, std::int32_t imageSize) {
  ranges_.clear();
  for (;; ++ranges) {
    ranges_.push_back(*ranges);
    if (ranges->last < ranges->first) break;
    // The lists are the program's own: one outside the image is a fault of the program.
    if (ranges->first < 0 || ranges->last >= imageSize) {
      FatalError("Address range outside the EEPROM image.");
    }
  }
  rangeIndex_ = 0;
  nextAddress_ = ranges_.front().first;
  rangeBytes_ = 0;
  for (const AddressRange& range : ranges_) {
    if (range.last >= range.first) rangeBytes_ += range.last - range.first + 1;
  }
}

bool CloneLink::StartIdentify(Callback callback) {
  if (IsBusy()) return false;
  ranges_.clear();
  return Start(Exchange::Identify, std::move(callback));
}

bool CloneLink::StartExtra(Exchange exchange, Callback callback) {
  if (IsBusy()) return false;
  ranges_.clear();
  return Start(exchange, std::move(callback));
}

bool CloneLink::StartRead(const AddressRange* ranges, Callback callback) {
  if (IsBusy()) return false;
  SetRanges(ranges, imageSize_);
  return Start(Exchange::Read, std::move(callback));
}

bool CloneLink::StartWrite(const EepromImage& image, const AddressRange* ranges,
                           Callback callback) {
  if (IsBusy()) return false;
  SetRanges(ranges, image.Size());
  Start(Exchange::Write, std::move(callback));
  result_->image.Assign(image);
  return true;
}

void CloneLink::Cancel() {
  if (!IsBusy() || state_ == State::Finish) return;
  port_.DropPending();
  result_->status = kLinkCancelled;
  state_ = State::Finish;
  task_->Schedule(0);
}

void CloneLink::Tick() {
  if (state_ != State::Idle && task_->RequestedInterval() != kStepMs) task_->Schedule(kStepMs);
  // A step that moved on runs the next state in the same tick, so that an exchange waits
  // only for the line and the radio. A state that waits stays where it is, which ends the
  // tick; every state reads and sends no more per step than before.
  for (std::size_t steps = 0; state_ != State::Idle && state_ != State::Finish; ++steps) {
    const State before = state_;
    RunStep();
    if (port_.WriteError()) {
      result_->status = kLinkWriteFailed;
      state_ = State::Finish;
    }
    if (state_ == before || steps >= kStateCount) break;
  }
  if (state_ == State::Finish) {
    port_.Close();
    Trace("port closed, status " + std::to_string(result_->status));
    lastClean_ = result_->status == kLinkOk;
    lastCleanEndMs_ = clock_.NowMs();
    lastCleanPort_ = portNumber_;
    lastCleanSettings_ = settings_;
    state_ = State::Idle;
    received_.Clear();
    incoming_.Clear();
    outgoing_.Clear();
    expectedEcho_.Clear();
    task_->Schedule(-1);
    // Everything of this exchange is put away first: the callback may start the next one.
    std::unique_ptr<LinkResult> result = std::move(result_);
    Callback callback = std::move(callback_);
    callback_ = nullptr;
    if (callback) callback(*result);
    return;
  }
  if (state_ == State::Idle) task_->Schedule(-1);
}

void CloneLink::RestartTimeout(int ms) {
  timeoutRunning_ = true;
  timeoutDeadline_ = clock_.NowMs() + ms;
}

void CloneLink::RunStep() {
  // Every row in the order of the states, so that a state indexes its own work.
  static_assert(
      [] {
        for (std::size_t i = 0; i < std::size(kStateWork); ++i) {
          if (kStateWork[i].state != static_cast<State>(i)) return false;
        }
        return std::size(kStateWork) == kStateCount;
      }(),
      "the step table is out of order");
  Step step{state_, true};
  const bool expired = !timeoutRunning_ || clock_.NowMs() >= timeoutDeadline_;
  switch (EchoStage(step)) {
    case Echo::Differs:
      break;  // straight to the drain, or back to the quiet wait
    case Echo::Waiting:
      step.next = state_;
      break;
    case Echo::Done:
      (this->*kStateWork[static_cast<std::size_t>(state_)].work)(step);
      break;
  }
  if (step.next != state_) step.progress = true;
  if (step.progress) {
    RestartTimeout(step.next == State::WaitWriteAnswer ? kFinalAnswerTimeoutMs : kNormalTimeoutMs);
  } else if (expired) {
    const bool echoMissing = echoCheck_ && expectedEcho_.Count() > 0;
    result_->status = echoMissing ? kLinkEchoError : kLinkTimeout;
    // A drain that cannot finish would wait for ever: closing the port ends it.
    step.next = state_ == State::Drain ? State::Finish : State::Drain;
  }
  if (received_.Count() > kCompactAbove) received_.Compact();
  if (expectedEcho_.Count() > kCompactAbove) expectedEcho_.Compact();
  if (trace_ != nullptr && step.next != state_) {
    std::string line = std::string("state ") + kStateWork[static_cast<std::size_t>(step.next)].name;
    // Until the exchange ends, the status is only the port's default.
    if (step.next == State::Drain) line += ", status " + std::to_string(result_->status);
    Trace(line);
  }
  state_ = step.next;
}

void CloneLink::SetTrace(LinkTrace* trace) {
  trace_ = trace;
  traceStartMs_ = clock_.NowMs();
}

void CloneLink::Trace(const std::string& what) {
  if (trace_ == nullptr) return;
  trace_->Line(FormatText("%8lld ", static_cast<long long>(clock_.NowMs() - traceStartMs_)) + what);
}

void CloneLink::TraceFrame(const char* direction, const ByteQueue& frame, const char* outcome,
                           bool ended) {
  if (trace_ == nullptr) return;
  const int count = frame.Count() + (ended ? 1 : 0);
  std::string line = std::string(direction) + " " + std::to_string(count) + ":";
  for (int i = 0; i < frame.Count(); ++i) line += FormatText(" %02X", frame.At(i));
  if (ended) line += FormatText(" %02X", kFrameEnd);
  if (outcome != nullptr) line += std::string(" -> ") + outcome;
  Trace(line);
}

CloneLink::Echo CloneLink::EchoStage(Step& step) {
  if (!echoCheck_) {
    expectedEcho_.Clear();
    return Echo::Done;
  }
  if (state_ == State::Drain || expectedEcho_.Count() == 0) return Echo::Done;
  std::uint8_t chunk[kReadChunk];
  const int n = port_.Read(chunk, kReadChunk);
  step.progress = false;
  received_.Append(chunk, n);
  while (received_.Count() > 0 && expectedEcho_.Count() > 0) {
    if (received_.At(0) != expectedEcho_.At(0)) {
      if (trace_ != nullptr) {
        Trace(FormatText("echo differs: sent %02X, came back %02X", expectedEcho_.At(0),
                         received_.At(0)));
      }
      if (AskAgainAfterQuiet()) {
        step.next = State::OpenPort;
        return Echo::Differs;
      }
      result_->status = kLinkEchoError;
      step.next = State::Drain;
      return Echo::Differs;
    }
    received_.PopFront();
    expectedEcho_.PopFront();
    step.progress = true;
  }
  if (expectedEcho_.Count() == 0 && step.progress) Trace("echo complete");
  if (expectedEcho_.Count() == 0) expectedEcho_.Clear();
  const int allowed = state_ == State::SendData ? kEchoWindow : 0;
  return expectedEcho_.Count() > allowed ? Echo::Waiting : Echo::Done;
}

bool CloneLink::AskAgainAfterQuiet() {
  // Bytes in the way of an identify's or a read's echo are most likely the rest of an
  // interrupted read from a radio that paused longer than the quiet wait. Those requests
  // change nothing in the radio, so each exchange may wait once more for a quiet line and
  // ask again; a write never does.
  const bool harmless = state_ == State::WaitIdentify || state_ == State::ReceiveData;
  if (!harmless || requestAskedAgain_) return false;
  requestAskedAgain_ = true;
  Trace("bytes of an earlier exchange: waiting for a quiet line to ask again");
  received_.Clear();
  expectedEcho_.Clear();
  incoming_.Reset();
  settling_ = true;
  settleDropped_ = 0;
  quietSinceMs_ = clock_.NowMs();
  quietNeededMs_ = std::max(QuietLineMs(), FrameTimeMs());
  return true;
}

// ---------------------------------------------------------------------------------------
// The work of the states

void CloneLink::DoNothing(Step&) {}

void CloneLink::StayIdle(Step& step) { step.next = State::Idle; }

void CloneLink::Begin(Step& step) { step.next = State::WaitOutput; }

void CloneLink::WaitOutput(Step& step) {
  // Never times out: pending output always counts as progress.
  step.progress = false;
  if (port_.PendingOutput() > 0) {
    step.next = State::WaitOutput;
    step.progress = true;
  } else {
    step.next = State::OpenPort;
  }
}

void CloneLink::OpenPort(Step& step) {
  // After opening, whatever arrives is dropped until the line has been quiet: at first for
  // as long as a radio streaming memory takes to send one frame, and once bytes came (a
  // radio still sending what an interrupted exchange asked for), for as long as the
  // longest frame takes. An exchange that follows a clean one skips the first wait, but
  // never an identify, which starts every command. The wait spans ticks rather than
  // blocking the program.
  if (!settling_) {
    const bool follows = exchange_ != Exchange::Identify && FollowsCleanExchange();
    port_.Close();
    if (!port_.Open(portNumber_, settings_)) {
      result_->status = kLinkPortFailed;
      step.next = State::Drain;
      return;
    }
    settling_ = true;
    settleDropped_ = 0;
    quietSinceMs_ = clock_.NowMs();
    quietNeededMs_ = follows ? 0 : QuietLineMs();
  }
  std::uint8_t chunk[kReadChunk];
  for (int n = 0;
       settleDropped_ < kSettleDiscardLimit && (n = port_.Read(chunk, kReadChunk)) > 0;) {
    settleDropped_ += n;
    quietSinceMs_ = clock_.NowMs();
    quietNeededMs_ = std::max(QuietLineMs(), FrameTimeMs());
  }
  // A line that never falls quiet is left to the exchange, which then fails on the echo.
  if (clock_.NowMs() - quietSinceMs_ < quietNeededMs_ && settleDropped_ < kSettleDiscardLimit) {
    step.next = State::OpenPort;
    return;
  }
  settling_ = false;
  if (settleDropped_ > 0) {
    Trace(FormatText("dropped %d bytes until the line was quiet", settleDropped_));
  }
  switch (exchange_) {
    case Exchange::Identify:
      step.next = State::SendIdentify;
      break;
    case Exchange::Read:
      step.next = State::SendRead;
      break;
    case Exchange::Write:
      step.next = State::SendWrite;
      break;
    case Exchange::AdjustWrite:
    case Exchange::AdjustList:
      step.next = FirstSendState(exchange_);
      break;
  }
}

int CloneLink::ReadLimit() const { return ranges_.empty() ? imageSize_ : rangeBytes_; }

std::int64_t CloneLink::FrameTimeMs() const {
  // Start bit, data bits and stop bit: ten bit times a byte is close enough for a wait.
  const int baud = port_.LineConfig().baudRate;
  if (baud <= 0) return kSettleMs;
  return (static_cast<std::int64_t>(kMaxTakenFrame) * 10 * 1000 + baud - 1) / baud;
}

std::int64_t CloneLink::QuietLineMs() const {
  const int baud = port_.LineConfig().baudRate;
  if (baud <= 0) return kSettleMs;
  const std::int64_t frameMs =
      (static_cast<std::int64_t>(kLongestStreamFrame) * 10 * 1000 + baud - 1) / baud;
  return std::max<std::int64_t>(frameMs, kMinQuietMs);
}

bool CloneLink::FollowsCleanExchange() const {
  return lastClean_ && lastCleanPort_ == portNumber_ && lastCleanSettings_ == settings_ &&
         clock_.NowMs() - lastCleanEndMs_ <= kFollowOnMs;
}

void CloneLink::SendBytes(const ByteQueue& bytes) {
  TraceFrame(">", bytes, nullptr);
  port_.Write(bytes.Data(), bytes.Count());
  expectedEcho_.Append(bytes);
  incoming_.Reset();
}

void CloneLink::SendRequest(std::uint8_t command) {
  ByteQueue bytes;
  AppendRequestFrame(bytes, preamble_, command, modelCode_, extensionCode_);
  SendBytes(bytes);
}

void CloneLink::SendIdentify(Step& step) {
  SendRequest(kCmdIdentify);
  step.next = State::WaitIdentify;
}

void CloneLink::SendRead(Step& step) {
  SendRequest(kCmdRead);
  step.next = State::ReceiveData;
}

void CloneLink::SendWrite(Step& step) {
  SendRequest(kCmdWrite);
  step.next = State::SendData;
}

void CloneLink::SendEnd(Step& step) {
  ByteQueue bytes;
  AppendEndFrame(bytes, endCount_, frameCount_);
  SendBytes(bytes);
  step.next = State::WaitWriteAnswer;
}

int CloneLink::ReadInto(ByteQueue& buffer) {
  std::uint8_t chunk[kReadChunk];
  const int n = port_.Read(chunk, kReadChunk);
  buffer.Append(chunk, n);
  bytesMoved_ += n;
  return n;
}

bool CloneLink::TakeFrame(ByteQueue& frame) {
  ReadInto(received_);
  // One frame per call; what follows it waits in the received bytes for the next call, so
  // that the outcome does not depend on how the bytes were split into reads.
  while (received_.Count() > 0) {
    switch (incoming_.Push(static_cast<std::uint8_t>(received_.PopFront()))) {
      case FrameSplitter::Outcome::Pending:
        break;
      case FrameSplitter::Outcome::Complete:
        TraceFrame("<", incoming_.Frame(), nullptr, true);
        frame.Assign(incoming_.Frame());
        return true;
      case FrameSplitter::Outcome::TooLong: {
        TraceFrame("<", incoming_.Frame(), "too long, dropped");
        const std::uint8_t garbage = 0x00;
        frame.Assign(&garbage, 1);
        return true;
      }
    }
  }
  return false;
}

void CloneLink::CheckIdentifyAnswer(const ByteQueue& frame) {
  const std::optional<IdentifyWords> words = DecodeIdentifyAnswer(frame);
  if (!words) {
    result_->status = kLinkBadFrame;
    return;
  }
  result_->modelCode = words->modelCode;
  result_->extensionCode = words->extensionCode;
  result_->payload.Assign(frame.Data() + kIdentifyPayloadAt, frame.Count() - kIdentifyPayloadAt);
  result_->status = kLinkOk;
}

void CloneLink::WaitIdentify(Step& step) {
  step.next = State::WaitIdentify;
  step.progress = false;
  ByteQueue frame;
  if (!TakeFrame(frame)) return;
  CheckIdentifyAnswer(frame);
  step.progress = true;
  step.next = State::Drain;
}

void CloneLink::WaitWriteAnswer(Step& step) {
  step.next = State::WaitWriteAnswer;
  step.progress = false;
  ByteQueue frame;
  if (!TakeFrame(frame)) return;
  result_->status = IsWriteAccepted(frame) ? kLinkOk : kLinkWriteRefused;
  step.next = State::Drain;
}

void CloneLink::Extra(Step& step) { step.next = StepExtra(state_, step.progress); }

void CloneLink::Drain(Step& step) {
  step.progress = false;
  if (port_.PendingOutput() > 0) {
    step.next = State::Drain;
  } else {
    step.next = State::Finish;
    step.progress = true;
  }
}

// ---------------------------------------------------------------------------------------
// Receiving memory

void CloneLink::ReceiveData(Step& step) {
  step.next = State::ReceiveData;
  step.progress = false;
  // Bytes that came in with the last echo are taken even when nothing new arrives.
  if (ReadInto(received_) == 0 && received_.Count() == 0) return;
  while (received_.Count() > 0) {
    const FrameSplitter::Outcome outcome =
        incoming_.Push(static_cast<std::uint8_t>(received_.PopFront()));
    if (outcome == FrameSplitter::Outcome::Pending) continue;
    if (outcome == FrameSplitter::Outcome::TooLong) {
      result_->status = kLinkBadFrame;
      step.next = State::Drain;
      return;
    }
    DataFrame data;
    const ReadFrameKind kind =
        DecodeReadFrame(incoming_.Frame(), imageSize_,
                        endCount_ ? std::optional<int>(frameCount_) : std::nullopt, data);
    TraceFrame("<", incoming_.Frame(), ReadFrameKindName(kind), true);
    switch (kind) {
      case ReadFrameKind::Data:
        StoreData(data);
        ++frameCount_;
        // A radio that repeats frames without end would keep the read going for ever:
        // more data than was asked for is a fault of the radio.
        if (dataDone_ > ReadLimit()) {
          result_->status = kLinkOutOfRange;
          break;
        }
        step.progress = true;
        continue;  // the next byte
      case ReadFrameKind::End:
        result_->status = ranges_.empty() ? kLinkOk : CheckCoverage();
        Trace(result_->status == kLinkOk           ? "coverage complete"
              : result_->status == kLinkIncomplete ? "coverage: addresses missing"
                                                   : "coverage: data outside the ranges");
        break;
      case ReadFrameKind::WrongEndCount:
        result_->status = kLinkEndCount;
        break;
      case ReadFrameKind::OutOfRange:
        result_->status = kLinkOutOfRange;
        break;
      case ReadFrameKind::Broken:
        result_->status = kLinkBadFrame;
        break;
    }
    step.next = State::Drain;
    return;
  }
}

void CloneLink::StoreData(const DataFrame& data) {
  EepromImage& image = result_->image;
  for (int i = 0; i < data.count; ++i) image.SetByte(data.address + i, data.bytes[i]);
  ByteQueue& map = result_->receivedMap;
  const int end = data.address + data.count;
  const int mapBytes = (end + 7) / 8;
  if (map.Count() < mapBytes) map.SetCount(mapBytes);
  for (int a = data.address; a < end; ++a) {
    map.At(a / 8) = static_cast<std::uint8_t>(map.At(a / 8) | 1 << (a & 7));
  }
  dataDone_ += data.count;
}

LinkStatus CloneLink::CheckCoverage() {
  const int mapBytes = (imageSize_ + 7) / 8;
  std::vector<std::uint8_t> wanted(static_cast<std::size_t>(mapBytes), 0);
  for (const AddressRange& range : ranges_) {
    if (range.last < range.first) break;
    for (int a = range.first; a <= range.last; ++a) {
      wanted[static_cast<std::size_t>(a / 8)] |= static_cast<std::uint8_t>(1 << (a & 7));
    }
  }
  ByteQueue& map = result_->receivedMap;
  if (map.Count() > mapBytes) return kLinkOutOfRange;
  map.SetCount(mapBytes);  // new bytes are zero
  bool missing = false;
  for (int i = 0; i < mapBytes; ++i) {
    const std::uint8_t got = map.At(i);
    const std::uint8_t want = wanted[static_cast<std::size_t>(i)];
    if ((got & ~want) != 0) return kLinkOutOfRange;
    if (got != want) missing = true;
  }
  return missing ? kLinkIncomplete : kLinkOk;
}

// ---------------------------------------------------------------------------------------
// Sending memory

void CloneLink::SendData(Step& step) {
  step.next = State::SendData;
  step.progress = false;
  const AddressRange& range = ranges_[rangeIndex_];
  if (range.last < range.first) {
    if (port_.PendingOutput() == 0 && outgoing_.Count() == 0) step.next = State::SendEnd;
  } else if (range.last < nextAddress_) {
    ++rangeIndex_;
    nextAddress_ = ranges_[rangeIndex_].first;
  } else {
    const int address = nextAddress_;
    int n = blockSize_ - address % blockSize_;
    if (address + n - 1 > range.last) n = range.last - address + 1;
    AppendDataFrame(outgoing_, frameCount_ == 0 ? leadFirst_ : leadLater_, address,
                    result_->image.Data() + address, n);
    ++frameCount_;
    nextAddress_ += n;
    dataDone_ += n;
  }
  const int k = outgoing_.Count();
  if (step.next == State::SendData && k >= 1 &&
      port_.PendingOutput() <= 4u * static_cast<unsigned>(k)) {
    port_.Write(outgoing_.Data(), k);
    expectedEcho_.Append(outgoing_);
    outgoing_.SetCount(0);
    bytesMoved_ += k;
    step.progress = true;
  }
}

}  // namespace rtv
