// Serving one screen of the INT channel sheet: 30 rows of the seven channel list columns,
// display only, on a canvas, as a repaint asks for them. The counter "allocs" is the heap
// allocations per cell; the goal is none.
//   cmake -S . -B build-bench -DRTV_CORE_ONLY=ON -DRTV_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 --target ChannelSheetBench && build-bench/bench/ChannelSheetBench
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "overlay/GTEX.h"
#include "radio/CellAccessHost.h"
#include "radio/CellCanvas.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "radio/RadioMemoryMap.h"
#include "sheet/Cell.h"
#include "sheet/ChoiceLists.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

#if defined(__GNUC__) && !defined(__clang__)
// free() pairs with the malloc() of the counting operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace rtv;

constexpr int kRows = 30;
constexpr int kFirstRow = 30;  // channels 10–19 with their variants

class SheetHost : public CellAccessHost {
 public:
  SheetHost() {
    overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL");
    image.SetSize(32768);
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

struct NullCanvas : CellCanvas {
  void SetFontColor(ColorValue) override {}
  void FillRect(const CellRect&, ColorValue) override {}
  void DrawLine(int, int, int, int, ColorValue) override {}
};

void BM_IntChannelScreen(benchmark::State& state) {
  SheetHost host;
  // A plausible screen: comments, a few flags, P on channel 16, one inhibited channel.
  for (int row = kFirstRow; row < kFirstRow + kRows; ++row) {
    host.image.SetByte(0x04B0 + row, static_cast<std::uint8_t>(row % 5 == 0 ? 0x60 : 0));
    for (int i = 0; i < 10; ++i) host.image.SetByte(0x0F10 + 11 * row + i, 'A' + (row + i) % 26);
  }
  host.image.SetByte(0x04B0 + 33, 0x80);
  host.image.SetByte(0x0BA4, 48);

  static constexpr int kColumns[] = {LinkNo("CL_ChList_No_INT"), LinkNo("CL_ChList_Atr"),
                                     LinkNo("CL_ChList_Fav"),    LinkNo("CL_ChList_TxInh"),
                                     LinkNo("CL_ChList_Pwr"),    LinkNo("CL_ChList_Simp"),
                                     LinkNo("CL_ChList_Comment")};
  Cell cells[kRows][std::size(kColumns)];
  for (int row = 0; row < kRows; ++row) {
    for (std::size_t column = 0; column < std::size(kColumns); ++column) {
      cells[row][column].cellType = TypeNo("CT_IntCh");
      cells[row][column].cellLink = kColumns[column];
      cells[row][column].index = kFirstRow + row;
    }
  }
  NullCanvas canvas;
  CellRequest request;
  request.canvas = &canvas;
  // One pass first: the choice lists are read once and kept.
  for (auto& row : cells) {
    for (Cell& cell : row) {
      request.cell = &cell;
      host.accessor.AccessCell(request, false);
    }
  }

  const long before = allocations.load();
  for (auto _ : state) {
    for (auto& row : cells) {
      for (Cell& cell : row) {
        request.cell = &cell;
        host.accessor.AccessCell(request, false);
        benchmark::DoNotOptimize(request.displayText.data());
      }
    }
  }
  const double cellCount = static_cast<double>(state.iterations()) * kRows * std::size(kColumns);
  state.counters["allocs"] = static_cast<double>(allocations.load() - before) / cellCount;
  state.counters["cells"] = benchmark::Counter(cellCount, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_IntChannelScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
