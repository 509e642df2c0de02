#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures a build folder with Ninja where it is installed (Make otherwise). A folder made
# before with the other generator is made again: CMake refuses to switch in place. A folder
# configured before with the same arguments and compilers is left alone: the build runs CMake
# again by itself when a CMakeLists.txt changed, and a configure run costs seconds.
#   scripts/configure.sh BUILD_DIR [CMAKE_ARGS...]
set -euo pipefail
build=$1
shift
generator="Unix Makefiles"
command -v ninja >/dev/null 2>&1 && generator=Ninja
cache=$build/CMakeCache.txt
if [ -f "$cache" ] && ! grep -qx "CMAKE_GENERATOR:INTERNAL=$generator" "$cache"; then
  echo "$build was made with another generator: making it again with $generator" >&2
  rm -rf "$build"
fi
stamp=$build/configure-arguments
wanted=$(printf '%s\n' "$generator" "${CC:-}" "${CXX:-}" "$@")
if [ -f "$cache" ] && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ]; then
  exit 0
fi
rm -f "$stamp"
cmake -S . -B "$build" -G "$generator" "$@" >/dev/null
printf '%s\n' "$wanted" >"$stamp"
