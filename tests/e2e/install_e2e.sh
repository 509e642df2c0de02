#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary root (DESTDIR) and uses what was installed from
# another folder: rtv612-clone against the simulator for a model-2 radio while the settings
# say model 0, a model-2 file written back, an export; and the program, offscreen, with a
# file to open.
#   install_e2e.sh BUILD_DIR
set -u
build=$1
root=$(mktemp -d)
# Settings, read backups and recovery files go under the temporary root, never the user's.
export HOME=$root XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data \
       XDG_STATE_HOME=$root/state XDG_CACHE_HOME=$root/cache
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=wait_for.sh
. "$(dirname "${BASH_SOURCE[0]}")/wait_for.sh"

DESTDIR=$root/dest cmake --install "$build" --prefix /usr >"$root/install.log" 2>&1 ||
  fail "install: $(tail -5 "$root/install.log")"
usr=$root/dest/usr
for f in bin/rtv612 bin/rtv612-clone bin/radiosim share/rtv612/RTV612.OVL \
         share/rtv612/RTV612H.OVL share/rtv612/RTV612M6.rtv share/rtv612/help/index.html \
         share/applications/com.vrel.rtv612.desktop share/mime/packages/rtv612.xml \
         share/metainfo/com.vrel.rtv612.metainfo.xml share/icons/hicolor/scalable/apps/rtv612.svg \
         share/icons/hicolor/48x48/apps/rtv612.png share/man/man1/rtv612-clone.1.gz \
         share/doc/rtv612/copyright; do
  [ -e "$usr/$f" ] || fail "not installed: $f"
done
[ -e "$usr/lib/rtv612" ] && fail "something still goes to lib/rtv612"
for program in rtv612 rtv612-clone radiosim; do
  readelf -S "$usr/bin/$program" | grep -q '\.symtab' && fail "$program is not stripped"
done

work=$root/elsewhere
mkdir -p "$work"
cd "$work" || fail "no work folder"
printf '[Setup]\nModelType=0\n' >settings.conf
clone() { "$usr/bin/rtv612-clone" --settings settings.conf --quiet "$@"; }
"$usr/bin/radiosim" --link radio --image "$usr/share/rtv612/RTV612M2.rtv" --save saved.rtv \
  >sim.out 2>sim.err &
sim_pid=$!
sim_ready() {
  [ -L radio ] && return 0
  kill -0 "$sim_pid" 2>/dev/null || fail "radiosim did not start: $(cat sim.err)"
  return 1
}
wait_for 10 "radiosim's pseudo-terminal" sim_ready

clone --version | grep -q "^rtv612-clone [0-9]" || fail "--version"
clone info --port radio >out 2>err || fail "info: $(cat err)"
clone read --port radio -o read.rtv 2>err || fail "read: $(cat err)"
[ "$(grep "^0EE010" read.rtv | cut -c25-26)" = "02" ] || fail "not read as model 2"
sed 's/^\(0B3010\)..../\1FACE/' read.rtv >changed.rtv
clone write --port radio changed.rtv >out 2>err || fail "write: $(cat err)"
wait_for 10 "the radio's saved image" test -e saved.rtv
cmp changed.rtv saved.rtv || fail "the radio does not hold the file"
clone export changed.rtv --sheet GI_Sheet_IntCh -o int.csv 2>err || fail "export: $(cat err)"
[ "$(wc -l <int.csv)" -gt 10 ] || fail "export is short"

# The installed program opens the file it is given; its title names it.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$root/run XDG_CONFIG_HOME=$root/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
RTV_FIRST_PAINT_PROBE=1 timeout 60 "$usr/bin/rtv612" changed.rtv >program.out 2>program.err ||
  fail "program: $(cat program.err)"
grep -q "^window-title changed.rtv - " program.out || fail "title: $(cat program.out)"
"$usr/bin/rtv612" --version | grep -q "^rtv612 [0-9]" || fail "program --version"
exit 0
