#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with HOME and every XDG folder in a fresh temporary folder, removed after:
# no test reads or writes the home folder of whoever runs the tests, and no two tests share
# settings, backups or an instance lock.
#   with-temp-home.sh COMMAND [ARGS...]
set -u
home=$(mktemp -d "${TMPDIR:-/tmp}/rtv-test-home.XXXXXX") || exit 1
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/data" "$home/state" "$home/cache" "$home/runtime"
chmod 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
       XDG_STATE_HOME=$home/state XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/runtime
"$@"
