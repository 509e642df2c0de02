// One full warning pass: every warning check (links 54–65) evaluated over the shipped
// initial image of model 0, as the controller does 250 ms after the last edit. Goal: under
// 1 ms. The "allocations" counter is the heap allocations of one pass.
//   cmake -S . -B build-bench -DRTV_CORE_ONLY=ON -DRTV_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 --target WarningPassBench && build-bench/bench/WarningPassBench
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/ModelController.h"
#include "clonefile/ClonefileReader.h"
#include "overlay/GTEX.h"
#include "platform/Prompts.h"
#include "radio/CellAccessHost.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "radio/RadioMemoryMap.h"
#include "sheet/ChoiceLists.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Counts every allocation; the replacement pair uses malloc and free throughout.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

using namespace rtv;

class SilentPrompts : public Prompts {
 public:
  PromptAnswer Message(const std::string& text, const std::string&, PromptIcon,
                       PromptButtons) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    return PromptAnswer::Cancel;
  }
  std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return {}; }
};

class BenchHost : public CellAccessHost {
 public:
  BenchHost() {
    overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL");
    image.SetSize(ModelController::kImageSize);
    SilentPrompts prompts;
    ClonefileReader reader(overlay, prompts);
    reader.SetImage(&image);
    reader.SetModelCode(ModelController::kModelCode);
    reader.SetExtensionCode(ModelController::kExtensionCode);
    reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
    if (reader.Read(RTV_INITIAL_DIR "/RTV612M0.rtv", kCloneRanges) != kFileOk) std::abort();
    InstallMemoryMap(accessor);
  }
  void AfterImageWrite() override {}
  EepromImage* CellImage() override { return &image; }
  ChoiceLists* CellChoices() override { return &choices; }
  GTEX* CellOverlay() override { return &overlay; }

  GTEX overlay;
  EepromImage image;
  ChoiceLists choices{overlay};
  ItemAccessor accessor{this};
};

int Pass(ItemAccessor& accessor) {
  int flags = 0;
  for (int link = LinkNo("CL_Check_Int_ChInh"); link <= LinkNo("CL_Check_Conf_Softkey"); ++link) {
    flags |= accessor.CellFlags(TypeNo("CT_Null"), link, 0);
  }
  return flags;
}

void BM_WarningPass(benchmark::State& state) {
  BenchHost host;
  Pass(host.accessor);  // choice lists and overlay texts are read once, on first use
  const long before = allocations.load();
  Pass(host.accessor);
  state.counters["allocations"] = static_cast<double>(allocations.load() - before);
  for (auto _ : state) benchmark::DoNotOptimize(Pass(host.accessor));
}
BENCHMARK(BM_WarningPass)->Unit(benchmark::kMicrosecond);

}  // namespace
