// SPDX-License-Identifier: GPL-3.0-or-later
// One full warning pass: every warning check (links 54–65) evaluated over the shipped
// initial image of model 0, as the controller does 250 ms after the last edit. Goal: under
// 100 µs, with no heap allocation: the "allocations" counter is those of one pass, and a
// pass that allocates fails the benchmark.
//   cmake -S . -B build-bench -DRTV_CORE_ONLY=ON -DRTV_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench -j2 --target WarningPassBench && build-bench/bench/WarningPassBench
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "AllocationCounter.h"
#include "MemoryAccessHost.h"
#include "ScriptedPrompts.h"
#include "cells/CellNames.h"
#include "clonefile/CloneFile.h"
#include "radio/ItemAccessor.h"
#include "radio/RadioModel.h"

namespace {

using namespace rtv;

// The accessor's host with the initial image of model 0.
void LoadModel0(MemoryAccessHost& host) {
  test::ScriptedPrompts prompts;
  CloneFile reader(host.overlay, prompts);
  reader.SetImage(&host.image);
  reader.SetModelCode(RadioModel::kModelCode);
  reader.SetExtensionCode(RadioModel::kExtensionCode);
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  if (reader.Read(RTV_INITIAL_DIR "/RTV612M0.rtv", kCloneRanges) != kFileOk) std::abort();
}

int Pass(ItemAccessor& accessor) {
  int flags = 0;
  for (int cellLink = LinkNo("CL_Check_Int_ChInh"); cellLink <= LinkNo("CL_Check_Conf_Softkey");
       ++cellLink) {
    flags |= accessor.CellFlags(TypeNo("CT_Null"), cellLink, 0);
  }
  return flags;
}

void BM_WarningPass(benchmark::State& state) {
  MemoryAccessHost host(RTV_DATA_DIR "/RTV612.OVL");
  LoadModel0(host);
  Pass(host.accessor);  // choice lists and overlay texts are read once, on first use
  const long before = AllocationCount();
  Pass(host.accessor);
  const long allocations = AllocationCount() - before;
  state.counters["allocations"] = static_cast<double>(allocations);
  // The pass runs 250 ms after every edit: an allocation in it is a regression, whatever
  // the time says.
  if (allocations != 0) {
    state.SkipWithError("the warning pass allocates");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(Pass(host.accessor));
}
BENCHMARK(BM_WarningPass)->Unit(benchmark::kMicrosecond);

}  // namespace
