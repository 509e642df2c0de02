#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks the formatting, builds everything once with warnings as
# errors under AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test
# offscreen: core, widgets, tools and the end-to-end runs against the radio simulator.
#   ./test.sh          everything (what CI runs)
#   ./test.sh --unit   only the core tests: builds what they need and runs them
set -euo pipefail
cd "$(dirname "$0")"

mode=all
case "${1:-}" in
  "") ;;
  --unit) mode=unit ;;
  *) echo "usage: ./test.sh [--unit]" >&2; exit 64 ;;
esac

./scripts/setup.sh
./scripts/check-format.sh
./scripts/check-layers.py

# The tests run with HOME and the XDG folders in temporary folders; afterwards the program's
# folders in the real home must be as they were.
home_before=$(mktemp)
trap 'rm -f "$home_before"' EXIT
./scripts/home-guard.sh snapshot "$home_before"

export QT_QPA_PLATFORM=offscreen
# A clean clone elsewhere still finds the objects ccache holds.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build=build-test
./scripts/configure.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRTV_WERROR=ON -DRTV_SANITIZE=ON
status=0
if [ "$mode" = unit ]; then
  cmake --build "$build" -j2 --target core_tests
  # A few processes side by side, each a part of the tests (see the script).
  ./scripts/run-core-tests.sh "$build" || status=$?
else
  cmake --build "$build" -j2
  # One process per test suite (cmake/RtvTestGroups.cmake); -L unit, gui or e2e for a part.
  (cd "$build" && ctest -j2 --output-on-failure --timeout 300) || status=$?
fi
./scripts/home-guard.sh check "$home_before" || status=1
exit "$status"
