#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build needs, only those that are missing; further
# packages named as arguments too (the fuzz build adds clang).
set -euo pipefail

packages=(cmake g++ make ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev googletest libgtest-dev
          libgmock-dev libbenchmark-dev ccache clang-format poppler-utils python3 "$@")

# One dpkg-query for all of them: a call each took a second in all.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
            awk '$NF == "installed" && $(NF-1) == "ok" {print $1}' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "These packages are missing and this user cannot install them: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
