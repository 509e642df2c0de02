// SPDX-License-Identifier: GPL-3.0-or-later
// A clone read and a clone write against radiosim paced at 38400 baud, 8N1: 3840 bytes a
// second on the wire. The ratio is the time an exchange took over the wire time of the
// bytes that crossed the line; every byte the PC sends comes back as echo, so the bytes
// the PC reads are all of them. Goal: at most 1.05.
//   cmake -S . -B build-bench -DRTV_CORE_ONLY=ON -DRTV_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 --target CloneSpeedBench && build-bench/bench/CloneSpeedBench
// With CLONE_BENCH_TRACE=FILE the link's trace (every state change and frame, stamped in
// milliseconds) goes to FILE, to see where an exchange spends its time.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

#include "link/CloneLink.h"
#include "platform/posix/LoopTimers.h"
#include "platform/posix/PosixSerialDevice.h"

namespace {

using namespace rtv;

constexpr double kBytesPerSecond = 38400.0 / 10.0;
constexpr AddressRange kReadList[] = {{0x0000, 0x2B5F}, {1, 0}};
constexpr AddressRange kShortWriteList[] = {{0x02F0, 0x2B5F}, {1, 0}};

// A serial device that counts what it reads.
class CountingDevice : public PosixSerialDevice {
 public:
  int Read(std::uint8_t* buffer, int maxCount) override {
    const int n = PosixSerialDevice::Read(buffer, maxCount);
    if (n > 0) bytesRead += n;
    return n;
  }
  std::int64_t bytesRead = 0;
};

// radiosim on its own pseudo-terminal for as long as the program runs.
class Simulator {
 public:
  Simulator() {
    link_ =
        (std::filesystem::temp_directory_path() / ("rtv-bench-radio-" + std::to_string(::getpid())))
            .string();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::execl(RTV_RADIOSIM, "radiosim", "--baud", "38400", "--link", link_.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; i < 200 && !std::filesystem::is_symlink(link_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!std::filesystem::is_symlink(link_)) throw std::runtime_error("radiosim did not start");
  }
  ~Simulator() {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  const std::string& Path() const { return link_; }

 private:
  pid_t pid_ = -1;
  std::string link_;
};

// The trace as a file, one line each.
class FileTrace : public LinkTrace {
 public:
  explicit FileTrace(const char* path) : out_(path) {}
  void Line(const std::string& text) override { out_ << text << '\n'; }

 private:
  std::ofstream out_;
};

struct Rig {
  Simulator simulator;
  LoopTimers timers;
  CountingDevice device;
  CloneLink link{device, timers, timers, [this](int) { return simulator.Path(); }};
  std::unique_ptr<FileTrace> trace;
  Rig() {
    if (const char* path = std::getenv("CLONE_BENCH_TRACE"); path != nullptr && path[0] != '\0') {
      trace = std::make_unique<FileTrace>(path);
      link.SetTrace(trace.get());
    }
    link.SetPort(1, "38400,N,8,1");
    link.SetModelWords(0x3974, 0);
    link.SetImageSize(32768);
    link.SetPreamble(48);
    link.SetDataLead(58, 58);
    link.SetEchoCheck(true);
  }
};

Rig& TheRig() {
  static Rig rig;
  return rig;
}

// Runs the exchanges that start() begins, one after the other, timing them together.
void Measure(benchmark::State& state,
             const std::vector<std::function<bool(CloneLink::Callback)>>& exchanges) {
  Rig& rig = TheRig();
  double seconds = 0;
  double wireSeconds = 0;
  for (auto _ : state) {
    rig.device.bytesRead = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const auto& begin : exchanges) {
      std::optional<int> status;
      if (!begin([&](LinkResult& result) { status = result.status; })) {
        state.SkipWithError("busy");
        return;
      }
      rig.timers.RunUntil([&] { return status.has_value(); });
      if (status != kLinkOk) {
        state.SkipWithError(("status " + std::to_string(status.value_or(-1))).c_str());
        return;
      }
    }
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(took);
    seconds += took;
    wireSeconds += static_cast<double>(rig.device.bytesRead) / kBytesPerSecond;
  }
  state.counters["wire_s"] = wireSeconds / static_cast<double>(state.iterations());
  state.counters["ratio"] = seconds / wireSeconds;
}

bool Identify(CloneLink::Callback done) { return TheRig().link.StartIdentify(std::move(done)); }
bool Read(CloneLink::Callback done) { return TheRig().link.StartRead(kReadList, std::move(done)); }
bool Write(CloneLink::Callback done) {
  static EepromImage image = [] {
    EepromImage pattern;
    pattern.SetSize(32768);
    for (int a = 0; a < 32768; ++a) pattern.SetByte(a, static_cast<std::uint8_t>(a * 37 + a / 256));
    return pattern;
  }();
  return TheRig().link.StartWrite(image, kShortWriteList, std::move(done));
}

// One exchange, as the link runs it.
void BM_ReadExchange(benchmark::State& state) { Measure(state, {Read}); }
void BM_WriteExchange(benchmark::State& state) { Measure(state, {Write}); }
// A whole command, identification first, as the user waits for it.
void BM_ReadCommand(benchmark::State& state) { Measure(state, {Identify, Read}); }
void BM_WriteCommand(benchmark::State& state) { Measure(state, {Identify, Write}); }

BENCHMARK(BM_ReadExchange)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteExchange)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCommand)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCommand)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
