#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The sheet commands of rtv612-clone on the shipped initial files: a user exports a sheet,
# edits it as a spreadsheet would and imports it into a new clone file.
#   sheets_e2e.sh CLONE_TOOL
set -u
tool=$1
data=$(dirname "$tool")
work=$(mktemp -d)
trap 'umount "$work/small" 2>/dev/null; rm -rf "$work"' EXIT
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
# The message of a file with bytes outside the image comes once.
sed '4i 7FF81000000000000000000000000000000000\r' "$data/RTV612M0.rtv" >"$work/outside.rtv"
expect_status 2 clone sheets "$work/outside.rtv"
[ "$(grep -c 'does not hold a valid memory image' "$work/err")" -eq 1 ] || fail "twice: $(cat "$work/err")"
# A broken initial file is the initial file's status, as for every command.
mkdir "$work/data"
cp "$data/RTV612.OVL" "$data"/RTV612M*.rtv "$work/data/"
printf 'broken\n' >"$work/data/RTV612M0.rtv"
expect_status 3 clone --data "$work/data" sheets "$data/RTV612M0.rtv"
expect_status 3 clone --data "$work/data" export "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh

# Outputs: never one of the inputs, never an existing file without --force, and standard
# output's failures count.
cp "$data/RTV612M0.rtv" "$work/same.rtv"
cp "$work/same.rtv" "$work/same.before"
expect_status 2 clone export "$work/same.rtv" --sheet GI_Sheet_DscIndId -o "$work/same.rtv" --force
expect_status 2 clone import "$work/same.rtv" --sheet GI_Sheet_IntCh "$work/int.csv" \
  -o "$work/./same.rtv" --force
expect_status 2 clone import "$work/same.rtv" --sheet GI_Sheet_IntCh "$work/int.csv" \
  -o "$work/int.csv" --force
cmp -s "$work/same.rtv" "$work/same.before" || fail "an input was overwritten"
grep -q 'is also an input' "$work/err" || fail "no reason: $(cat "$work/err")"
expect_status 2 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh -o "$work/int.csv"
grep -q 'already exists' "$work/err" || fail "no reason: $(cat "$work/err")"
expect_status 0 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_FreeCh -o "$work/int.csv" --force
head -1 "$work/int.csv" | grep -q '^No\.,Name' || fail "--force did not replace"
if [ -w /dev/full ]; then
  clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh >/dev/full 2>"$work/err"
  [ $? -eq 2 ] || fail "export to a full standard output did not fail"
  grep -q 'standard output: No space left' "$work/err" || fail "no reason: $(cat "$work/err")"
  clone sheets "$data/RTV612M0.rtv" >/dev/full 2>/dev/null
  [ $? -eq 2 ] || fail "sheets to a full standard output did not fail"
fi

# Inputs that are no plain files are refused at once, never read.
mkfifo "$work/fifo"
mkdir "$work/folder"
for input in "$work/fifo" "$work/folder" /dev/zero; do
  timeout 5 "$tool" --settings "$work/none.conf" import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh \
    "$input" -o "$work/never.rtv" >"$work/out" 2>"$work/err"
  [ $? -eq 2 ] || fail "$input as CSV: $(cat "$work/err")"
  grep -q "^rtv612-clone: $input is " "$work/err" || fail "no path: $(cat "$work/err")"
  timeout 5 "$tool" --settings "$input" sheets "$data/RTV612M0.rtv" >"$work/out" 2>"$work/err"
  [ $? -eq 0 ] || fail "$input as settings: $(cat "$work/err")"
  grep -q "$input is .*the defaults are used" "$work/err" || fail "no path: $(cat "$work/err")"
  timeout 5 "$tool" --settings "$work/none.conf" sheets "$input" >"$work/out" 2>"$work/err"
  [ $? -eq 2 ] || fail "$input as clone file: $(cat "$work/err")"
done
[ -e "$work/never.rtv" ] && fail "an output was written for a refused input"

# A CSV of another sheet is refused before a cell is taken.
expect_status 0 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_DscIndId -o "$work/ids.csv"
expect_status 2 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_WxCh "$work/ids.csv" \
  -o "$work/wx.rtv"
grep -q 'this CSV is not a Weather Channels sheet: its columns are No\., MMSI, Name' "$work/err" ||
  fail "$(cat "$work/err")"
[ -e "$work/wx.rtv" ] && fail "a refused import was written"

# Names that a spreadsheet would run come back as they were.
sed -e 's/^1,,\r$/1,123456789,=CMD()\r/' -e 's/^2,,\r$/2,223456789,@SUM(A1)\r/' \
  "$work/ids.csv" >"$work/formula.csv"
expect_status 0 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_DscIndId "$work/formula.csv" \
  -o "$work/formula.rtv"
grep -q '^  line 2, column 3: now "=CMD()"' "$work/out" || fail "not listed: $(cat "$work/out")"
expect_status 0 clone export "$work/formula.rtv" --sheet GI_Sheet_DscIndId -o "$work/formula2.csv"
grep -q $'^1,123456789,\'=CMD()\r$' "$work/formula2.csv" || fail "$(head -3 "$work/formula2.csv")"
grep -q $'^2,223456789,\'@SUM(A1)\r$' "$work/formula2.csv" || fail "$(head -3 "$work/formula2.csv")"
expect_status 0 clone import "$work/formula.rtv" --sheet GI_Sheet_DscIndId "$work/formula2.csv" \
  -o "$work/formula3.rtv"
grep -q '^0 cells taken' "$work/out" || fail "the guard did not come off: $(cat "$work/out")"

# A full file system: the old CSV stays byte for byte and no temporary file is left.
if [ "$(id -u)" -eq 0 ] && mkdir "$work/small" && mount -t tmpfs -o size=12k tmpfs "$work/small" 2>/dev/null; then
  head -c 6000 /dev/urandom | base64 >"$work/small/same.csv"
  cp "$work/small/same.csv" "$work/same.csv.before"
  expect_status 2 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh -o "$work/small/same.csv" \
    --force
  grep -q 'No space left on device' "$work/err" || fail "no reason: $(cat "$work/err")"
  cmp -s "$work/small/same.csv" "$work/same.csv.before" || fail "the old CSV was damaged"
  [ "$(ls -A "$work/small")" = same.csv ] || fail "left behind: $(ls -A "$work/small")"
  umount "$work/small"
fi

# Usage.
expect_status 64 clone export "$data/RTV612M0.rtv" --sheet GI_Sheet_Nothing
expect_status 64 clone export "$data/RTV612M0.rtv"
expect_status 64 clone import "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh "$work/int.csv"
echo "sheets e2e: ok"
