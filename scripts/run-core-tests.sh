#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the core tests of a build folder as two processes side by side, each one half of the
# tests (GoogleTest's sharding) with a temporary home of its own: a process per test costs
# more than most tests under the sanitizers, and a single process leaves a core idle.
# Prints each half's output after it ends; fails when either half fails.
#   scripts/run-core-tests.sh BUILD_DIR [GTEST_OPTIONS...]
set -uo pipefail
cd "$(dirname "$0")/.."
build=$1
shift
shards=2
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
  echo "== core tests, half $((shard + 1)) of $shards"
  cat "$logs/$shard"
done
exit "$status"
