# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end scripts, after they define fail().
#   wait_for SECONDS WHAT COMMAND...
# Runs COMMAND until it succeeds, polling every 20 ms. The bound only ends the wait for a
# program that never gets there: then the test fails, naming what it waited for.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local start=${EPOCHREALTIME/./}
  local limit=$((seconds * 1000000))
  until "$@"; do
    if (( ${EPOCHREALTIME/./} - start > limit )); then
      fail "still waiting after $seconds s: $what"
    fi
    sleep 0.02
  done
}
