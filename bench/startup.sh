#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of the program, from process start to the end of its first paint, against
# bare Qt windows built the same way (one without text, one with a line of text).
# Usage: bench/startup.sh BUILD_DIR [RUNS]   (BUILD_DIR configured with -DRTV_BENCH=ON)
set -euo pipefail
build=${1:?build directory}
runs=${2:-21}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export RTV_FIRST_PAINT_PROBE=1
config=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$config" "$runtime"' EXIT
export XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$runtime

# Milliseconds from starting the program to its "first-paint" line.
startup_ms() {
  local start end
  start=$(date +%s%N)
  end=$("$@" 2>/dev/null | sed -n 's/^first-paint //p')
  [[ -n $end ]] || { echo "no first paint from $*" >&2; exit 1; }
  echo $(((end - start) / 1000))
}

median() { sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'; }

# Interleaved, so that the machine's drift touches all three alike.
bare=() text=() program=()
for ((i = 0; i < runs; i++)); do
  bare+=("$(startup_ms "$build/bench/BareWindow")")
  text+=("$(startup_ms "$build/bench/BareWindow" --text)")
  program+=("$(startup_ms "$build/rtv612")")
done
b=$(printf '%s\n' "${bare[@]}" | median)
t=$(printf '%s\n' "${text[@]}" | median)
p=$(printf '%s\n' "${program[@]}" | median)
echo "bare Qt window:           ${b} ms (median of $runs)"
echo "bare Qt window with text: ${t} ms"
echo "rtv612:                   ${p} ms"
awk -v p="$p" -v b="$b" -v t="$t" \
  'BEGIN {printf "ratio to the bare window:           %.2f\nratio to the bare window with text: %.2f\n", p / b, p / t}'
