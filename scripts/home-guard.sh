#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists the program's folders in the real home with sizes and modification times, so that
# test.sh can tell whether a run touched them (tests must only use temporary folders).
#   scripts/home-guard.sh snapshot FILE   write the listing
#   scripts/home-guard.sh check FILE      fail, naming each change, if it differs now
set -euo pipefail
folders=("$HOME/.config/Vrel" "$HOME/.local/share/Vrel" "$HOME/.local/state/Vrel")
listing() {
  for folder in "${folders[@]}"; do
    if [ -e "$folder" ]; then find "$folder" -printf '%p  %s bytes  %TY-%Tm-%Td %TT\n'; fi
  done | LC_ALL=C sort
}
case "${1:-}" in
  snapshot) listing >"$2" ;;
  check)
    changes=$(listing | diff "$2" - | grep '^[<>]' || true)
    [ -z "$changes" ] && exit 0
    {
      echo "FAIL: the run changed the real home folder (tests must use temporary folders):"
      echo "$changes" | sed -e 's/^< /  was: /' -e 's/^> /  now: /'
      echo "(Something else running at the same time, such as the program itself or the tests"
      echo " of another checkout, can make such a change too.)"
    } >&2
    exit 1
    ;;
  *) echo "usage: scripts/home-guard.sh snapshot|check FILE" >&2; exit 64 ;;
esac
