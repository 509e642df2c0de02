#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the core tests of a build folder as RTV_CORE_SHARDS processes side by side (4 unless
# told), each a part of the tests (GoogleTest's sharding) with a temporary home of its own, and
# prints each one's output after it ends; fails when any of them fails. A process per test
# costs more than most tests under the sanitizers; one process leaves a core idle, and two
# halves are uneven (the slowest tests take seconds each). On the 2-core machine, with other
# builds running: one process 54 s, two 56 s, three 48 s, four 42 s.
#   [RTV_CORE_SHARDS=N] scripts/run-core-tests.sh BUILD_DIR [GTEST_OPTIONS...]
set -uo pipefail
cd "$(dirname "$0")/.."
build=$1
shift
shards=${RTV_CORE_SHARDS:-4}
wrapper=$PWD/tests/with-temp-home.sh
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
pids=()
for ((shard = 0; shard < shards; ++shard)); do
  (cd "$build/tests" && GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$shard \
     "$wrapper" ./core_tests --gtest_brief=1 "$@") >"$logs/$shard" 2>&1 &
  pids+=($!)
done
status=0
for ((shard = 0; shard < shards; ++shard)); do
  wait "${pids[$shard]}" || status=1
  [ "$shards" -eq 1 ] || echo "== core tests, part $((shard + 1)) of $shards"
  cat "$logs/$shard"
done
exit "$status"
