// SPDX-License-Identifier: GPL-3.0-or-later
// Comparing two full images of model 0 over all the sheets of the tree: the same image, and
// one with a changed channel comment and a changed byte that no cell shows (which takes the
// search for the bytes no cell shows). The goal is under 50 ms.
//   cmake -S . -B build-bench -DRTV_CORE_ONLY=ON -DRTV_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 --target ImageComparisonBench
//   build-bench/bench/ImageComparisonBench
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "ShippedImages.h"
#include "base/PlainTextMetrics.h"
#include "compare/ImageComparison.h"
#include "overlay/OverlayText.h"
#include "radio/ChannelRow.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"

namespace {

using namespace rtv;

struct Images {
  Images() {
    overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL");
    if (!test::ReadShippedImage(overlay, RTV_INITIAL_DIR "/RTV612M0.rtv", 0, a)) std::abort();
    b = a;
  }
  OverlayText overlay;
  PlainTextMetrics metrics;
  EepromImage a;
  EepromImage b;
};

void BM_CompareSameImages(benchmark::State& state) {
  Images images;
  ImageComparison comparison(images.overlay, images.metrics);
  for (auto _ : state) {
    benchmark::DoNotOptimize(comparison.Compare(images.a, images.b));
  }
}
BENCHMARK(BM_CompareSameImages)->Unit(benchmark::kMillisecond);

void BM_CompareOneShownOneUnshownChange(benchmark::State& state) {
  Images images;
  // Channel 16's comment, and a letter of the maker's name.
  images.b.SetByte(ChannelRow::CommentAddress(48), 'X');
  images.b.SetByte(MemoryLayout::kMakerName + 1, 'x');
  ImageComparison comparison(images.overlay, images.metrics);
  if (comparison.Compare(images.a, images.b).cells.size() != 1) std::abort();
  for (auto _ : state) {
    benchmark::DoNotOptimize(comparison.Compare(images.a, images.b));
  }
}
BENCHMARK(BM_CompareOneShownOneUnshownChange)->Unit(benchmark::kMillisecond);

}  // namespace
