#!/bin/bash
# Start-up time of the program to its first painted window, against a bare Qt window.
# Usage: bench/startup.sh BUILD_DIR [RUNS]   (BUILD_DIR configured with -DRTV_BENCH=ON)
set -euo pipefail
build=${1:?build directory}
runs=${2:-15}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export RTV_FIRST_PAINT_PROBE=1
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config

median_ms() {
  local program=$1 times=()
  for ((i = 0; i < runs; i++)); do
    local start end
    start=$(date +%s%N)
    end=$("$program" | sed -n 's/^first-paint //p')
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

bare=$(median_ms "$build/bench/BareWindow")
program=$(median_ms "$build/rtv612")
echo "bare Qt window: ${bare} ms (median of $runs)"
echo "rtv612:         ${program} ms (median of $runs)"
awk -v p="$program" -v b="$bare" 'BEGIN {printf "ratio:          %.2f\n", p / b}'
