#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs rtv612-clone against radiosim on a pseudo-terminal.
#   clone_e2e.sh RADIOSIM CLONE_TOOL CASE
# CASE is "roundtrip", "compare", "default", "maker", "image", "model", "other-model", "no-data",
# "data-check", "ports", "no-port", "exists", "held", "interrupt", "trace", "unwritable", or a
# fault:
# a name, the expected exit status, the command (read or write) and the simulator's options.
set -u
sim=$1
tool=$2
case_name=$3
shift 3

work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=wait_for.sh
. "$(dirname "${BASH_SOURCE[0]}")/wait_for.sh"

port=$work/radio
# Reads keep a backup under the data folder: keep them out of the user's.
export XDG_DATA_HOME=$work/data
backups=$work/data/Vrel/RT-V612/backups
clone() { "$tool" --settings "$work/none.conf" --quiet "$@"; }

# The radio holds a memory the program would write back (the simulator's own demo pattern
# fails the data check that guards every write), unless a case gives its own.
served=(--image "$(dirname "$tool")/RTV612M0.rtv")
start_sim() {
  local image=("${served[@]}")
  case " $* " in *" --image "*) image=() ;; esac
  "$sim" --link "$port" "${image[@]}" "$@" >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  wait_for 10 "radiosim's pseudo-terminal at $port" sim_ready
}
# The simulator's link exists, or the simulator ended: then the test fails with its reason.
sim_ready() {
  [ -L "$port" ] && return 0
  kill -0 "$sim_pid" 2>/dev/null || fail "radiosim did not start: $(cat "$work/sim.err")"
  return 1
}

# Process `pid` runs `name` and has the port open.
holds_port() {
  local pid=$1 name=$2
  [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$name" ] || return 1
  ls -l "/proc/$pid/fd" 2>/dev/null | grep -q -- "-> $(readlink -f "$port")$"
}

# The reader `pid` has received a data frame; it may not end before that.
reading() {
  local pid=$1 trace=$2
  grep -q -- "-> data" "$trace" 2>/dev/null && return 0
  kill -0 "$pid" 2>/dev/null || fail "the read ended before its data: $(cat "$work/err")"
  return 1
}

expect_status() {  # expected, then the command
  local expected=$1
  shift
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$expected" ] || fail "$* gave $got, expected $expected: $(cat "$work/err")"
}

case "$case_name" in
  roundtrip)
    start_sim
    expect_status 0 clone info --port "$port"
    grep -q "Version: *1203" "$work/out" || fail "info: $(cat "$work/out")"
    expect_status 0 clone read --port "$port" -o "$work/a.rtv"
    head -1 "$work/a.rtv" | grep -q "^39740001" || fail "not a clone file"
    # The read is also kept among the backups, named by its time, model and version.
    backup=$(ls "$backups")
    echo "$backup" | grep -qE '^20[0-9]{2}-[0-9]{2}-[0-9]{2}_[0-9]{6}_M0_v1203\.rtv$' ||
      fail "backup name: $backup"
    cmp "$work/a.rtv" "$backups/$backup" || fail "the backup differs from the read"
    [ "$(tail -n +4 "$work/a.rtv" | grep -vc "^#")" -eq 694 ] || fail "694 data lines expected"
    # Change two bytes inside the written ranges that no model rule fixes (soft keys, the
    # gap before the ID table), write, and read the radio back.
    sed 's/^\(0B3010\)..../\1A55A/; s/^\(25B010\)..../\1FFFE/' "$work/a.rtv" \
      >"$work/changed.rtv"
    cmp -s "$work/a.rtv" "$work/changed.rtv" && fail "the test did not change the file"
    expect_status 0 clone write --port "$port" "$work/changed.rtv"
    expect_status 0 clone read --port "$port" -o "$work/b.rtv"
    cmp "$work/changed.rtv" "$work/b.rtv" || fail "the radio does not hold what was written"
    # Writing back what was read leaves the radio as it was.
    expect_status 0 clone write --port "$port" "$work/a.rtv"
    expect_status 0 clone read --port "$port" -o "$work/c.rtv"
    cmp "$work/a.rtv" "$work/c.rtv" || fail "round trip changed the memory"
    ;;
  default)
    # Without --image the radio holds what an owner's radio would: the read passes the
    # image checks and no sheet shows an invalid value.
    served=()
    start_sim
    expect_status 0 clone read --port "$port" -o "$work/a.rtv"
    expect_status 0 clone sheets "$work/a.rtv"
    sheets=$(cut -d" " -f1 "$work/out")
    [ -n "$sheets" ] || fail "no sheets"
    for sheet in $sheets; do
      expect_status 0 clone export "$work/a.rtv" --sheet "$sheet" -o "$work/$sheet.csv"
      grep -qi "error" "$work/$sheet.csv" && fail "$sheet: $(grep -i error "$work/$sheet.csv" | head -3)"
    done
    grep -q "366123456" "$work/GI_Sheet_DscSet.csv" || fail "no MMSI"
    grep -q "^1,M1,157.425" "$work/GI_Sheet_FreeCh.csv" || fail "no private channel"
    ;;
  maker)
    # The full list also writes 0x01A0-0x02B3, the copy of the service block at 0x0050
    # that every write rebuilds; the short one leaves it alone.
    start_sim --version 0001
    expect_status 0 clone read --port "$port" -o "$work/a.rtv"
    sed 's/^\(005010\)..../\1A55A/' "$work/a.rtv" >"$work/changed.rtv"
    expect_status 0 clone write --port "$port" --maker "$work/changed.rtv"
    expect_status 0 clone read --port "$port" --raw -o "$work/b.rtv"
    grep -q "^01A010A55A" "$work/b.rtv" || fail "maker write did not reach 0x01A0"
    ;;
  image)
    # The simulator serves a clone file and saves what is written into it.
    start_sim
    expect_status 0 clone read --port "$port" -o "$work/a.rtv"
    kill "$sim_pid" && wait "$sim_pid" 2>/dev/null
    sed 's/^\(000010\)..../\13333/' "$work/a.rtv" >"$work/served.rtv"
    start_sim --image "$work/served.rtv" --save "$work/saved.rtv"
    expect_status 0 clone read --port "$port" -o "$work/b.rtv"
    cmp "$work/served.rtv" "$work/b.rtv" || fail "the radio did not serve its image"
    sed 's/^\(0B3010\)..../\1C0DE/' "$work/b.rtv" >"$work/changed.rtv"
    expect_status 0 clone write --port "$port" "$work/changed.rtv"
    wait_for 10 "the radio's saved image" test -e "$work/saved.rtv"
    cmp "$work/changed.rtv" "$work/saved.rtv" || fail "the radio did not save what was written"
    ;;
  model)
    # A file of another model: its initial file is found next to the tool wherever the
    # tool runs from, for the write and for the read back.
    data=$(dirname "$tool")
    cd "$work" || fail "no work folder"
    start_sim
    expect_status 0 clone write --port "$port" "$data/RTV612M3.rtv"
    expect_status 0 clone read --port "$port" -o "$work/b.rtv"
    [ "$(grep "^0EE010" "$work/b.rtv" | cut -c25-26)" = "03" ] || fail "not model 3"
    ;;
  other-model)
    # Run from another folder while the settings say model 0: a model-2 radio is read as
    # model 2, and a model-2 file reaches the radio byte for byte.
    data=$(dirname "$tool")
    printf '[Setup]\nModelType=0\n' >"$work/none.conf"
    cd "$work" || fail "no work folder"
    start_sim --image "$data/RTV612M2.rtv" --save "$work/saved.rtv"
    expect_status 0 clone read --port "$port" -o b.rtv
    [ "$(grep "^0EE010" b.rtv | cut -c25-26)" = "02" ] || fail "not read as model 2"
    sed 's/^\(0B3010\)..../\1BEEF/' b.rtv >changed.rtv
    expect_status 0 clone write --port "$port" changed.rtv
    wait_for 10 "the radio's saved image" test -e saved.rtv
    cmp changed.rtv saved.rtv || fail "the radio does not hold the model-2 file"
    ;;
  no-data)
    # Without its data, or with a broken initial file of a model the settings do not name,
    # every command ends with 3 before the port is opened: the radio sees nothing.
    data=$(dirname "$tool")
    start_sim --save "$work/saved.rtv"
    mkdir "$work/alone" "$work/empty" "$work/broken"
    cp "$tool" "$work/alone/"
    cp "$data"/RTV612*.OVL "$data"/RTV612M*.rtv "$work/broken/"
    sed -i 's/^0100\(..\).*/0100\1ZZ/' "$work/broken/RTV612M4.rtv"
    expect_status 0 clone read --port "$port" -o "$work/good.rtv"
    cp "$work/good.rtv" "$work/boat.rtv"
    for how in alone empty broken; do
      case $how in
        alone) run=("$work/alone/rtv612-clone" --settings "$work/none.conf" --quiet) ;;
        *) run=("$tool" --settings "$work/none.conf" --quiet --data "$work/$how") ;;
      esac
      for command in "ports" "info --port $port" "read --port $port -o $work/new.rtv" \
                     "write --port $port $work/boat.rtv" "sheets $work/boat.rtv" \
                     "export $work/boat.rtv --sheet GI_Sheet_IntCh"; do
        # shellcheck disable=SC2086
        expect_status 3 "${run[@]}" $command
        [ -s "$work/out" ] && fail "$how $command printed: $(cat "$work/out")"
        case $how in
          broken) grep -q "Cannot open '$work/broken/RTV612M4.rtv'" "$work/err" ;;
          *) grep -q "Looked in:" "$work/err" ;;
        esac || fail "$how $command: $(cat "$work/err")"
      done
    done
    [ -e "$work/new.rtv" ] && fail "a read without data wrote a file"
    [ -e "$work/saved.rtv" ] && fail "a write without data reached the radio"
    expect_status 0 clone read --port "$port" -o "$work/after.rtv"
    cmp "$work/good.rtv" "$work/after.rtv" || fail "the radio's memory changed"
    ;;
  data-check)
    # A memory with errors in its sheets is refused, as the program refuses it, before the
    # radio is touched.
    # The alarm's lowest volume of the first call is 243 (0x23DB; 0-20 allowed).
    sed 's/^\(23D010.\{22\}\)../\1F3/' "${served[1]}" >"$work/errors.rtv"
    start_sim --image "$work/errors.rtv" --save "$work/saved.rtv"
    expect_status 0 clone read --port "$port" -o "$work/demo.rtv"
    expect_status 65 clone write --port "$port" "$work/demo.rtv"
    grep -q "GI_Sheet_DscCall" "$work/err" || fail "no sheet named: $(cat "$work/err")"
    [ -e "$work/saved.rtv" ] && fail "the radio took a memory with errors"
    ;;
  ports)
    printf '[Port%%20Map]\nCOM200=%s\n' "$port" >"$work/none.conf"
    start_sim
    expect_status 0 clone ports
    grep -q "^200: .*($port)" "$work/out" || fail "ports: $(cat "$work/out")"
    expect_status 0 clone info --port 200
    ;;
  no-port)
    expect_status 2 clone read --port "$work/absent" -o "$work/a.rtv"
    grep -q "does not exist" "$work/err" || fail "no reason given: $(cat "$work/err")"
    [ -e "$work/a.rtv" ] && fail "output file written"
    ;;
  exists)
    start_sim
    echo "keep me" >"$work/a.rtv"
    expect_status 73 clone read --port "$port" -o "$work/a.rtv"
    [ "$(cat "$work/a.rtv")" = "keep me" ] || fail "existing file changed"
    expect_status 0 clone read --port "$port" -o "$work/a.rtv" --force
    head -1 "$work/a.rtv" | grep -q "^39740001" || fail "--force did not replace the file"
    ;;
  held)
    # Another program with the port open: refused before anything is sent, naming it.
    start_sim --verbose
    for mode in reads holds; do
      if [ "$mode" = reads ]; then
        (exec cat "$port" >/dev/null) &
        name=cat
      else
        (exec sleep 30 <"$port") &
        name=sleep
      fi
      holder=$!
      wait_for 10 "$name holding the port" holds_port "$holder" "$name"
      expect_status 2 clone info --port "$port"
      grep -q "is open in $name (pid $holder)" "$work/err" || fail "$mode: $(cat "$work/err")"
      grep -q "cable" "$work/err" && fail "$mode: sent to check the cable"
      kill "$holder"
      wait "$holder" 2>/dev/null
    done
    [ -s "$work/sim.err" ] && fail "bytes reached the radio: $(cat "$work/sim.err")"
    expect_status 0 clone info --port "$port"
    ;;
  interrupt)
    # A stopped read leaves no file and the line ready for the next command. Root is not
    # held back by the exclusive flag that a killed run leaves, so run as another user.
    as_user=()
    if [ "$(id -u)" -eq 0 ]; then
      command -v setpriv >/dev/null || { echo "SKIP: setpriv is needed to test as a user"; exit 0; }
      as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
      # A build tree inside a private folder (mktemp -d) is out of that user's reach.
      "${as_user[@]}" test -x "$tool" -a -r "$(dirname "$tool")/RTV612.OVL" ||
        { echo "SKIP: user 65534 cannot reach the build tree"; exit 0; }
      chmod 777 "$work"
    fi
    "${as_user[@]}" "$sim" --link "$port" --baud 38400 >"$work/sim.out" 2>"$work/sim.err" &
    sim_pid=$!
    wait_for 10 "radiosim's pseudo-terminal at $port" sim_ready
    for signal in INT TERM HUP; do
      # Stopped in the middle of the read: once the first data frame is in the trace.
      trace=$work/trace-$signal.txt
      "${as_user[@]}" "$tool" --settings "$work/none.conf" --quiet --trace "$trace" read \
        --port "$port" -o "$work/a.rtv" 2>"$work/err" &
      reader=$!
      wait_for 20 "the first data frame of the read ($signal)" reading "$reader" "$trace"
      kill -"$signal" "$reader"
      wait "$reader"
      got=$?
      expected=$((128 + $(kill -l "$signal")))
      [ "$got" -eq "$expected" ] || fail "$signal: status $got, expected $expected: $(cat "$work/err")"
      [ -e "$work/a.rtv" ] && fail "$signal: output file written"
      ls "$work" | grep -q '\.rtv\.' && fail "$signal: a temporary file was left behind"
      "${as_user[@]}" "$tool" --settings "$work/none.conf" --quiet info --port "$port" \
        >"$work/out" 2>"$work/err" || fail "$signal: info right after: $(cat "$work/err")"
    done
    ;;
  trace)
    start_sim
    expect_status 0 clone --trace "$work/trace.txt" read --port "$port" -o "$work/a.rtv"
    for line in "start identify" "start read" "-> data" "-> end" "coverage complete" \
      "port closed, status 0"; do
      grep -q -- "$line" "$work/trace.txt" || fail "no '$line' in the trace"
    done
    # Every frame the radio sent is there: 11104 bytes in frames of at most 64.
    [ "$(grep -c -- "-> data" "$work/trace.txt")" -ge 174 ] || fail "frames missing"
    expect_status 73 clone --trace "$work/no/dir/t.txt" info --port "$port"
    ;;
  unwritable)
    # Checked before the radio is touched: no 4-second exchange for a file that cannot be kept.
    start_sim
    start=$(date +%s%N)
    expect_status 73 clone read --port "$port" -o "$work/no/such/dir/x.rtv"
    elapsed=$((($(date +%s%N) - start) / 1000000))
    grep -q "$work/no/such/dir/x.rtv" "$work/err" || fail "path not named: $(cat "$work/err")"
    [ "$elapsed" -lt 1000 ] || fail "took $elapsed ms"
    ;;
  compare)
    # diff between files and verify against the radio, with their exit statuses.
    start_sim
    expect_status 0 clone read --port "$port" -o "$work/a.rtv"
    expect_status 0 clone diff "$work/a.rtv" "$work/a.rtv"
    grep -q "No differences" "$work/out" || fail "diff same: $(cat "$work/out")"
    # One comment changed through the sheet commands.
    expect_status 0 clone export "$work/a.rtv" --sheet GI_Sheet_IntCh -o "$work/a.csv"
    awk -F, 'BEGIN { OFS = "," } $1 ~ /^16 *$/ { $7 = "TESTED" } { print }' "$work/a.csv" \
      >"$work/b.csv"
    expect_status 0 clone import "$work/a.rtv" --sheet GI_Sheet_IntCh "$work/b.csv" \
      -o "$work/b.rtv"
    expect_status 1 clone diff "$work/a.rtv" "$work/b.rtv"
    grep -q '^INT Channels | 16 | Comment: ".*" → "TESTED"' "$work/out" ||
      fail "diff one change: $(cat "$work/out")"
    [ "$(grep -c '^INT Channels' "$work/out")" -eq 1 ] || fail "one change: $(cat "$work/out")"
    expect_status 1 clone diff "$work/a.rtv" "$work/b.rtv" --csv
    grep -q '^INT Channels,16,Comment,.*,TESTED' "$work/out" || fail "csv: $(cat "$work/out")"
    echo "not a clone file" >"$work/bad.rtv"
    expect_status 2 clone diff "$work/a.rtv" "$work/bad.rtv"
    expect_status 2 clone diff "$work/missing.rtv" "$work/a.rtv"
    # The radio holds a.rtv: the same as it, one change from b.rtv.
    expect_status 0 clone verify --port "$port" "$work/a.rtv"
    expect_status 1 clone verify --port "$port" "$work/b.rtv"
    grep -q 'TESTED' "$work/out" || fail "verify one change: $(cat "$work/out")"
    expect_status 65 clone verify --port "$port" "$work/bad.rtv"
    # After writing b.rtv, the radio holds it.
    expect_status 0 clone write --port "$port" "$work/b.rtv"
    expect_status 0 clone verify --port "$port" "$work/b.rtv"
    kill "$sim_pid" && wait "$sim_pid" 2>/dev/null
    sim_pid=
    start_sim --silent-after 3
    expect_status 5 clone verify --port "$port" "$work/b.rtv"
    ;;
  fault)
    expected=$1
    command=$2
    shift 2
    start_sim "$@"
    if [ "$command" = read ]; then
      expect_status "$expected" clone read --port "$port" -o "$work/a.rtv"
      if [ "$expected" != 0 ] && [ -e "$work/a.rtv" ]; then
        fail "output file written after a failed read"
      fi
    else
      kill "$sim_pid" && wait "$sim_pid" 2>/dev/null
      start_sim
      expect_status 0 clone read --port "$port" -o "$work/a.rtv"
      kill "$sim_pid" && wait "$sim_pid" 2>/dev/null
      start_sim "$@"
      expect_status "$expected" clone write --port "$port" "$work/a.rtv"
    fi
    ls "$work" | grep -q '\.rtv\.' && fail "a temporary file was left behind"
    ;;
  *)
    fail "unknown case $case_name"
    ;;
esac
exit 0
