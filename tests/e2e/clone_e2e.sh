#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs rtv612-clone against radiosim on a pseudo-terminal.
#   clone_e2e.sh RADIOSIM CLONE_TOOL CASE
# CASE is "roundtrip", "maker", "image", "model", "other-model", "no-data", "data-check", "ports",
# "no-port", "exists", or a fault:
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

port=$work/radio
clone() { "$tool" --settings "$work/none.conf" --quiet "$@"; }

# The radio holds a memory the program would write back (the simulator's own demo pattern
# fails the data check that guards every write), unless a case gives its own.
served=(--image "$(dirname "$tool")/RTV612M0.rtv")
start_sim() {
  local image=("${served[@]}")
  case " $* " in *" --image "*) image=() ;; esac
  "$sim" --link "$port" "${image[@]}" "$@" >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  for _ in $(seq 100); do
    [ -L "$port" ] && return 0
    sleep 0.05
  done
  fail "radiosim did not start: $(cat "$work/sim.err")"
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
    for _ in $(seq 100); do [ -e "$work/saved.rtv" ] && break; sleep 0.05; done
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
    for _ in $(seq 100); do [ -e saved.rtv ] && break; sleep 0.05; done
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
    served=()
    start_sim --save "$work/saved.rtv"
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
  fault)
    expected=$1
    command=$2
    shift 2
    start_sim "$@"
    if [ "$command" = read ]; then
      expect_status "$expected" clone read --port "$port" -o "$work/a.rtv"
      [ -e "$work/a.rtv" ] && fail "output file written after a failed read"
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
