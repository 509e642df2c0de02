#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (Release, stripped) and checks it and its desktop files with
# desktop-file-validate, appstreamcli and lintian, which this script installs when missing.
# Not part of ./test.sh: a release build of its own takes minutes.
#   scripts/check-package.sh [BUILD_DIR]      (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}

./scripts/setup.sh
tools=(desktop-file-utils appstream lintian dpkg-dev file)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Only what the package holds is built: cpack would otherwise build every test first.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j2 --target rtv612 rtv612-clone radiosim rtv_data rtv_hicolor_icons \
  rtv_gzipped_docs
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/rtv612_*.deb | head -1)

status=0
echo "== desktop-file-validate"
desktop-file-validate data/desktop/com.vrel.rtv612.desktop || status=1
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net data/desktop/com.vrel.rtv612.metainfo.xml || status=1
echo "== lintian $(basename "$deb")"
# Root may run it; the package is checked as a binary package only.
lintian --allow-root --tag-display-limit 0 "$deb" || status=1
echo "== package"
dpkg-deb --field "$deb" Package Version Depends
[ $status -eq 0 ] && echo "check-package: all clean" || echo "check-package: see above"
exit $status
