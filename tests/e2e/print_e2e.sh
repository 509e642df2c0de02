#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The print command of rtv612-clone: sheets of a shipped initial file into PDF files, read
# back as text with poppler's tools.
#   print_e2e.sh CLONE_TOOL
set -u
tool=$1
data=$(dirname "$tool")
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
clone() { "$tool" --settings "$work/none.conf" "$@"; }
command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null || fail "poppler-utils missing"

expect_status() {  # expected, then the command
  local expected=$1
  shift
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$expected" ] || fail "$* gave $got, expected $expected: $(cat "$work/err")"
}
pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }

# Every page of the INT sheet carries the frame and the header row, as text.
expect_status 0 clone print "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh -o "$work/int.pdf"
count=$(pages "$work/int.pdf")
[ "${count:-0}" -gt 1 ] || fail "INT printed on ${count:-no} pages"
for page in $(seq 1 "$count"); do
  pdftotext -layout -f "$page" -l "$page" "$work/int.pdf" "$work/page.txt" || fail "pdftotext"
  for text in "INT Channels" "RT-V612 Clone Programmer Rev. 1.0" "Vrel Inc" "Comment"; do
    grep -q "$text" "$work/page.txt" || fail "page $page lacks '$text': $(head -5 "$work/page.txt")"
  done
done
pdftotext "$work/int.pdf" - | grep -q "DISTRESS" || fail "channel 16's comment is not text"

# All sheets: more pages than INT alone, the sheets' titles among them.
expect_status 0 clone print "$data/RTV612M0.rtv" --all -o "$work/all.pdf"
[ "$(pages "$work/all.pdf")" -gt "$count" ] || fail "all sheets gave $(pages "$work/all.pdf") pages"
pdftotext "$work/all.pdf" - | grep -q "INT Channels" || fail "all sheets lack the INT sheet"

# A larger font takes more pages.
expect_status 0 clone print "$data/RTV612M0.rtv" --sheet GI_Sheet_IntCh --font-size 5 \
  -o "$work/int12.pdf"
[ "$(pages "$work/int12.pdf")" -gt "$count" ] || fail "12 points did not take more pages"

# An existing output is replaced only when asked.
expect_status 73 clone print "$data/RTV612M0.rtv" --all -o "$work/int.pdf"
[ "$(pages "$work/int.pdf")" -eq "$count" ] || fail "an existing PDF was replaced"
expect_status 0 clone print "$data/RTV612M0.rtv" --all --force -o "$work/int.pdf"

# Bad input: usage, an unreadable clone file, an output that cannot be written (no file).
expect_status 64 clone print "$data/RTV612M0.rtv" -o "$work/x.pdf"
expect_status 64 clone print "$data/RTV612M0.rtv" --all --sheet GI_Sheet_IntCh -o "$work/x.pdf"
expect_status 64 clone print "$data/RTV612M0.rtv" --all --font-size 6 -o "$work/x.pdf"
expect_status 64 clone print "$data/RTV612M0.rtv" --sheet GI_Sheet_Nothing -o "$work/x.pdf"
printf 'not a clone file\r\n' >"$work/bad.rtv"
expect_status 2 clone print "$work/bad.rtv" --all -o "$work/x.pdf"
[ -e "$work/x.pdf" ] && fail "a failed print left a file"
expect_status 73 clone print "$data/RTV612M0.rtv" --all -o "$work/missing/all.pdf"
[ -e "$work/missing" ] && fail "a folder was made for the output"
mkdir "$work/locked"
chmod a-w "$work/locked"
if [ ! -w "$work/locked" ]; then
  expect_status 73 clone print "$data/RTV612M0.rtv" --all -o "$work/locked/all.pdf"
  [ -z "$(ls -A "$work/locked")" ] || fail "a partial file was left: $(ls -A "$work/locked")"
fi
echo "print e2e: $count INT pages"
