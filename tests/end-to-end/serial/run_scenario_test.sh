#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# scripts/run-scenario.sh gives a scenario's terminals on COM 2 and COM 3 their
# pseudo-terminals: the console scan finds and identifies both (the
# plug-and-play identifier comes over the emulated line), and nothing the
# script started is left behind.
#   run_scenario_test.sh SCRIPT BIN_DIR SCENARIO
set -u
script="$1" bin="$2" scenario="$3"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/tmp"

TMPDIR="$scratch/tmp" KC_BIN="$bin" timeout 120 bash "$script" "$scenario" -- \
  "$bin/kartocheck-cli" scan --batch -q > "$scratch/out" 2> "$scratch/err"
status=$?

failed=0
expect() {
  grep -qF -- "$1" "$scratch/out" || { echo "missing: $1"; failed=1; }
}
expect "An COM 2 Chipkartenleser gefunden. Baudrate: 115200   Baud."
expect "An COM 3 Chipkartenleser gefunden. Baudrate: 9600     Baud."
[ "$(grep -c "PnP Device ID: *DEZ0042" "$scratch/out")" = 2 ] || { echo "the identifier not on both pages"; failed=1; }
[ "$status" = 1 ] || { echo "exit status $status, expected 1 (no card)"; failed=1; }
[ -z "$(ls -A "$scratch/tmp")" ] || { echo "left behind: $(ls -A "$scratch/tmp")"; failed=1; }
if [ "$failed" != 0 ]; then
  echo "--- stdout"; cat "$scratch/out"; echo "--- stderr"; cat "$scratch/err"
fi
exit "$failed"
