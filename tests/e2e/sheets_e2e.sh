#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The sheet commands of rtv612-clone on the shipped initial files: a user exports a sheet,
# edits it as a spreadsheet would and imports it into a new clone file.
#   sheets_e2e.sh CLONE_TOOL
set -u
tool=$1
data=$(dirname "$tool")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
clone() { "$tool" --settings "$work/none.conf" "$@"; }

expect_status() {  # expected, then the command
  local expected=$1
  shift
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$expected" ] || fail "$* gave $got, expected $expected: $(cat "$work/err")"
}

# The sheets follow the file's model: model 0 has no ATIS, model 3 has.
expect_status 0 clone sheets "$data/RTV612M0.rtv"
grep -q '^GI_Sheet_IntCh  *INT Channels$' "$work/out" || fail "no INT sheet: $(cat "$work/out")"
grep -q GI_Sheet_Atis "$work/out" && fail "model 0 lists ATIS"
expect_status 0 clone sheets "$data/RTV612M3.rtv"
grep -q GI_Sheet_Atis "$work/out" || fail "model 3 lists no ATIS"

# Standard output and -o give the same CSV with CRLF line ends.
expect_status 0 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh
cp "$work/out" "$work/stdout.csv"
expect_status 0 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh -o "$work/int.csv"
cmp -s "$work/stdout.csv" "$work/int.csv" || fail "export to a file differs"
head -1 "$work/int.csv" | grep -q $'^Ch,P/C,Favourite,TX,Power,Simplex,Comment\r$' ||
  fail "header: $(head -1 "$work/int.csv")"
grep -q $'^16,PC,-,TX/RX,25 W,Simplex,DISTRESS\r$' "$work/int.csv" || fail "no channel 16"
# The usable view lists only the channels in use.
expect_status 0 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh --usable
grep -q '^1000,' "$work/out" && fail "--usable lists unused channels"

# An unchanged export changes nothing: the same file as importing nothing at all.
: >"$work/empty.csv"
expect_status 0 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh "$work/empty.csv" \
  -o "$work/empty.rtv"
expect_status 0 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh "$work/int.csv" \
  -o "$work/same.rtv"
cmp -s "$work/empty.rtv" "$work/same.rtv" || fail "an unchanged import changed the image"

# Edited as a spreadsheet would: taken cells show in the next export.
sed -e 's/^6,,-,TX\/RX,25 W,/6,,-,TX\/RX,1 W,/' -e 's/^16,PC,-,/16,PC,FAV,/' \
  -e 's/^1,,-,TX\/RX,25 W,-,PUB CORR/1,,-,TX\/RX,25 W,-,"HARBOUR"/' \
  "$work/int.csv" >"$work/good.csv"
expect_status 0 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh "$work/good.csv" \
  -o "$work/good.rtv"
grep -q '^3 cells taken' "$work/out" || fail "report: $(cat "$work/out")"
expect_status 0 clone export "$work/good.rtv" --sheet GI_Sheet_IntCh -o "$work/again.csv"
sed 's/"HARBOUR"/HARBOUR/' "$work/good.csv" | cmp -s - "$work/again.csv" ||
  fail "the edits did not arrive: $(diff "$work/good.csv" "$work/again.csv")"

# Refused cells: reported, the rest taken, the file still written, status 1.
sed -e 's/^2,,-,TX\/RX,25 W/2,,-,TX\/RX,30 W/' -e 's/^1000,,---/1000,,FAV/' \
  -e 's/^3,,-,/3,,FAV,/' "$work/int.csv" >"$work/bad.csv"
expect_status 1 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh "$work/bad.csv" \
  -o "$work/bad.rtv"
grep -q '^1 cell taken' "$work/out" || fail "report: $(cat "$work/out")"
grep -q '^line 3, column 3: the cell is read-only$' "$work/out" || fail "$(cat "$work/out")"
grep -q "^line 8, column 5: \"30 W\" is not one of the cell's choices$" "$work/out" ||
  fail "$(cat "$work/out")"
[ -s "$work/bad.rtv" ] || fail "no file written after refusals"

# File errors: status 2 and the reader's text on standard error.
printf 'not a clone file\n' >"$work/broken.rtv"
expect_status 2 clone export "$work/broken.rtv" --sheet GI_Sheet_IntCh
grep -q 'Clone file error' "$work/err" || fail "no file error text: $(cat "$work/err")"
expect_status 2 clone sheets "$work/missing.rtv"
expect_status 2 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh "$work/missing.csv" \
  -o "$work/x.rtv"
expect_status 2 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh "$work/int.csv" \
  -o "$work/good.rtv"
# Usage.
expect_status 64 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_Nothing
expect_status 64 clone export "$data/RTV612M0.rtv"
expect_status 64 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh "$work/int.csv"
echo "sheets e2e: ok"
