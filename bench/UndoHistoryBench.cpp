// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history under a long session: 10,000 single-cell edits through the item accessor,
// each recorded as a step, then 10,000 undos. Goals: the history under 10 MB, each undo
// under 1 ms. Counters: "history_MB" the history's memory after the edits, "per_step"
// the time of one edit with its recording or of one undo.
//   cmake -S . -B build-bench -DRTV_CORE_ONLY=ON -DRTV_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 --target UndoHistoryBench && build-bench/bench/UndoHistoryBench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MemoryAccessHost.h"
#include "ShippedImages.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "radio/ChannelRow.h"
#include "radio/EditHistory.h"

namespace {

using namespace rtv;

constexpr int kSteps = 10'000;

// The model 0 image with a history as long as the session's.
struct Session {
  Session() : history(kSteps) {
    if (!test::ReadShippedImage(host.overlay, RTV_INITIAL_DIR "/RTV612M0.rtv", 0, host.image)) {
      std::abort();
    }
    cell.cellType = TypeNo("CT_IntCh");
    cell.cellLink = LinkNo("CL_ChList_Comment");
    // The channels in use: the others' comments cannot be typed into.
    for (int row = 0; row < 421; ++row) {
      ChannelRow channel(host.image);
      channel.LoadRow(ListKind::IntChannels, row);
      if (!channel.inhibited) rows.push_back(row);
    }
    history.Reset(host.image);
  }
  // One comment typed into a channel in use, and its step.
  void Edit(int step) {
    cell.index = rows[static_cast<std::size_t>(step) % rows.size()];
    CellRequest request;
    request.cell = &cell;
    request.commit = CellCommit::Text;
    request.editText = "EDIT " + std::to_string(step % 100000);
    host.accessor.AccessCell(request, false);
    if (history.Record(host.image, "Comment", {"GI_Sheet_IntCh", cell.cellLink, cell.index})) {
      ++recorded;
    }
  }

  MemoryAccessHost host{RTV_DATA_DIR "/RTV612.OVL"};
  Cell cell;
  std::vector<int> rows;
  EditHistory history;
  int recorded = 0;
};

void TenThousandEdits(benchmark::State& state) {
  double megabytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Session session;
    state.ResumeTiming();
    for (int step = 0; step < kSteps; ++step) session.Edit(step);
    state.PauseTiming();
    if (session.recorded != kSteps) state.SkipWithError("an edit made no step");
    megabytes = static_cast<double>(session.history.MemoryUsage()) / (1024.0 * 1024.0);
    state.ResumeTiming();
  }
  state.counters["history_MB"] = megabytes;
  state.counters["per_step"] = benchmark::Counter(
      static_cast<double>(kSteps),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(TenThousandEdits)->Unit(benchmark::kMillisecond);

void TenThousandUndos(benchmark::State& state) {
  double megabytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Session session;
    for (int step = 0; step < kSteps; ++step) session.Edit(step);
    megabytes = static_cast<double>(session.history.MemoryUsage()) / (1024.0 * 1024.0);
    state.ResumeTiming();
    int undone = 0;
    while (session.history.Undo(session.host.image)) ++undone;
    if (undone != kSteps) state.SkipWithError("not every step was undone");
  }
  state.counters["history_MB"] = megabytes;
  state.counters["per_step"] = benchmark::Counter(
      static_cast<double>(kSteps),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(TenThousandUndos)->Unit(benchmark::kMillisecond);

}  // namespace
