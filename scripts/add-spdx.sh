#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence identifier at the top of every C++ source and script that lacks it;
# with --check, only lists those (exit 1 when any).
set -euo pipefail
cd "$(dirname "$0")/.."
tag="SPDX-License-Identifier: GPL-3.0-or-later"
check=false
[ "${1:-}" = --check ] && check=true
missing=0
while IFS= read -r -d '' file; do
  head -3 "$file" | grep -q "SPDX-License-Identifier" && continue
  missing=1
  if $check; then
    echo "$file"
    continue
  fi
  if head -1 "$file" | grep -q '^#!'; then
    # After the interpreter line.
    sed -i "1a # $tag" "$file"
  else
    sed -i "1i // $tag" "$file"
  fi
done < <(git ls-files -z -- '*.cpp' '*.h' '*.sh')
if $check && [ $missing -eq 1 ]; then exit 1; fi
exit 0
