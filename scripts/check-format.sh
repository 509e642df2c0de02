#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file of the project differs from what clang-format makes of it.
# Every tracked file is checked: it takes two seconds and nothing unformatted slips in.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$format" ]; then
  echo "clang-format is missing: ./scripts/setup.sh installs it." >&2
  exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z -- '*.cpp' '*.h'
else
  find src tools tests bench \( -name '*.cpp' -o -name '*.h' \) -print0
fi | xargs -0 "$format" --dry-run -Werror
