// SPDX-License-Identifier: GPL-3.0-or-later
// Paste Rows from a clipboard text of 100,000 lines into the free channel sheet of model 0:
// the lines that fit are typed into the rows, the rest only counted. Reading alone, and
// reading and typing from a clean image each time.
//   cmake -S . -B build-bench -DRTV_CORE_ONLY=ON -DRTV_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 --target ClipboardPasteBench
//   build-bench/bench/ClipboardPasteBench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "ShippedController.h"
#include "sheet/ClipboardRows.h"
#include "sheet/CsvTable.h"
#include "sheet/Sheet.h"

namespace {

using namespace rtv;

constexpr int kLines = 100000;

std::string HundredThousandLines() {
  std::string text = "Name\n";
  for (int i = 0; i < kLines; ++i) text += "N" + std::to_string(i % 1000) + "\n";
  return text;
}

void BM_ReadClipboardText(benchmark::State& state) {
  const std::string text = HundredThousandLines();
  for (auto _ : state) {
    benchmark::DoNotOptimize(CsvTable::Read(text, 400, CsvTable::kTab));
  }
}
BENCHMARK(BM_ReadClipboardText)->Unit(benchmark::kMillisecond);

void BM_PasteClipboardText(benchmark::State& state) {
  test::ShippedController shipped;
  std::unique_ptr<Sheet> sheet = shipped.BuildSheet("GI_Sheet_FreeCh");
  const std::string text = HundredThousandLines();
  const EepromImage clean = shipped.controller.CurrentDocument().Working();
  ClipboardRows rows(*sheet);
  const std::vector<int> targets = rows.SheetRowsFrom(ListKind::FreeChannels, 0);
  for (auto _ : state) {
    state.PauseTiming();
    shipped.controller.CurrentDocument().Working().Assign(clean);
    state.ResumeTiming();
    const SheetImporter::Report report =
        rows.Paste(text, targets, shipped.controller.Choices(),
                   &shipped.controller.CurrentDocument().Working());
    if (report.taken != static_cast<int>(targets.size())) std::abort();
  }
}
BENCHMARK(BM_PasteClipboardText)->Unit(benchmark::kMillisecond);

}  // namespace
