#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the core, its tests and the libFuzzer targets with clang (build-fuzz), runs the core
# tests, then each fuzz target for a short while from its seeds, as a smoke test: a failed
# test, a crash, a sanitizer report or a failed check fails the script. Prints each target's
# executions per second. CI runs it after ./test.sh, so the core is built by both compilers.
#   scripts/fuzz-smoke.sh [SECONDS]   seconds per target, 60 unless told
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

./scripts/setup.sh clang libclang-rt-14-dev
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build=build-fuzz
CC=clang CXX=clang++ ./scripts/configure.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRTV_CORE_ONLY=ON -DRTV_FUZZ=ON
targets=(CellMarkupFuzz CloneFileFuzz CloneLinkFuzz CsvTableFuzz SheetCsvFuzz)
cmake --build "$build" -j2 --target core_tests "${targets[@]}"

echo "== core tests, clang"
tests_status=0
./scripts/run-core-tests.sh "$build" || tests_status=1

# target|seed folder|options
runs=("CellMarkupFuzz||-dict=tests/fuzz/CellMarkupFuzz.dict"
      "CloneFileFuzz|tests/fuzz/seeds|-max_len=30000"
      "CloneLinkFuzz||"
      "CsvTableFuzz|tests/fuzz/seeds-csv|-max_len=20000"
      "SheetCsvFuzz|tests/fuzz/seeds-csv|-max_len=20000 -rss_limit_mb=2048")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
summary=()
status=0
for run in "${runs[@]}"; do
  IFS='|' read -r target seeds options <<<"$run"
  mkdir -p "$work/$target"
  echo "== $target: ${seconds} s"
  # -close_fd_mask=2 silences the fatal messages the inputs provoke; reports still show.
  # shellcheck disable=SC2086
  if tests/with-temp-home.sh "$build/tests/fuzz/$target" -max_total_time="$seconds" \
       -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$work/$target-" $options \
       "$work/$target" $seeds >"$work/$target.log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
    tail -40 "$work/$target.log"
    mkdir -p "$build/fuzz-failures"
    cp "$work/$target"-* "$build/fuzz-failures/" 2>/dev/null || true
  fi
  runs_done=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/$target.log")
  summary+=("$(printf '%-16s %-7s %10s runs %8s exec/s' "$target" "$result" "${runs_done:-?}" "${rate:-?}")")
done
printf '%s\n' "${summary[@]}"
[ "$status" -eq 0 ] || echo "fuzz-smoke: failing inputs in $build/fuzz-failures" >&2
[ "$tests_status" -eq 0 ] || echo "fuzz-smoke: the core tests failed under clang (above)" >&2
exit $((status | tests_status))
