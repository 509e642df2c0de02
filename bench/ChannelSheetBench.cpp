// SPDX-License-Identifier: GPL-3.0-or-later
// Serving one screen of the INT channel sheet: 30 rows of the seven channel list columns,
// display only, on a canvas, as a repaint asks for them. The counter "allocs" is the heap
// allocations per cell; the goal is none.
//   cmake -S . -B build-bench -DRTV_CORE_ONLY=ON -DRTV_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 --target ChannelSheetBench && build-bench/bench/ChannelSheetBench
#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "MemoryAccessHost.h"
#include "cells/Cell.h"
#include "cells/CellCanvas.h"
#include "cells/CellNames.h"
#include "radio/ItemAccessor.h"

namespace {

using namespace rtv;

constexpr int kRows = 30;
constexpr int kFirstRow = 30;  // channels 10–19 with their variants

struct NullCanvas : CellCanvas {
  void SetFontColour(ColourValue) override {}
  void FillRect(const CellRect&, ColourValue) override {}
  void DrawLine(int, int, int, int, ColourValue) override {}
};

void BM_IntChannelScreen(benchmark::State& state) {
  MemoryAccessHost host(RTV_DATA_DIR "/RTV612.OVL");
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

  const long before = AllocationCount();
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
  state.counters["allocs"] = static_cast<double>(AllocationCount() - before) / cellCount;
  state.counters["cells"] = benchmark::Counter(cellCount, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_IntChannelScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
