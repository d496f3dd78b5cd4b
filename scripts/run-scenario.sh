#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Runs a command on a simulator scenario as if its serial terminals were
# plugged in: one mktsim-serial per serial port (1 to 256) the scenario
# names, each on a pseudo-terminal that KARTOCHECK_COM<n> names. The simulator
# library in the program keeps answering the CT-API calls; the
# pseudo-terminals only serve the program's own serial probes (DSR, the speed
# probe, the plug-and-play identifier), a terminal's with the modem lines and
# framing of the preload library, a [ports] result's as a bare port. COM 1 to
# COM 4 that the scenario does not name are made absent (unless
# KARTOCHECK_COM<n> is already set), so the machine's own serial ports are
# left alone. Every emulator is ended by its pid when the command ends, also
# on Ctrl+C; the command's exit status is the script's.
#
#   scripts/run-scenario.sh SCENARIO [--] COMMAND [ARGUMENT...]
#   scripts/run-scenario.sh sim/scenarios/practice.scn build/bin/kartocheck-cli scan
#
# KC_BIN: the folder of the built programs (default: build/bin of this checkout).
set -uo pipefail

usage() {
  echo "usage: $0 SCENARIO [--] COMMAND [ARGUMENT...]" >&2
  exit 64
}

[ $# -ge 2 ] || usage
scenario="$1"
shift
[ "$1" = "--" ] && shift
[ $# -ge 1 ] || usage
[ -f "$scenario" ] || { echo "run-scenario: no scenario file: $scenario" >&2; exit 66; }
scenario="$(cd "$(dirname "$scenario")" && pwd)/$(basename "$scenario")"

bin="${KC_BIN:-$(cd "$(dirname "$0")/.." && pwd)/build/bin}"
emulator="$bin/mktsim-serial"
preload="$bin/libmktsim-serial-preload.so"
for needed in "$emulator" "$preload"; do
  [ -e "$needed" ] || { echo "run-scenario: $needed is missing (build it first)" >&2; exit 69; }
done

ports="$("$emulator" --scenario "$scenario" --list-ports)" || exit 65

work="$(mktemp -d "${TMPDIR:-/tmp}/kc-scenario.XXXXXX")"
pids=()

cleanup() {
  local pid tries
  for pid in "${pids[@]}"; do
    kill -TERM "$pid" 2>/dev/null
  done
  for pid in "${pids[@]}"; do
    for ((tries = 0; tries < 50; ++tries)); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# Starts the emulator of port $1 (with the line-signal file $2, if any) and
# waits at most 10 s until it prints its device.
start_emulator() {
  local port="$1" out="$work/com$1.out" tries
  local signals=()
  [ -n "$2" ] && signals=(--line-signals "$2")
  env -u MKTSIM_TRACE "$emulator" --scenario "$scenario" --port "$port" "${signals[@]}" \
    --link "$work/com$port" > "$out" &
  pids+=($!)
  for ((tries = 0; tries < 100; ++tries)); do
    [ -s "$out" ] && return 0
    kill -0 "${pids[-1]}" 2>/dev/null || break
    sleep 0.1
  done
  echo "run-scenario: the emulator for COM $port did not start" >&2
  return 1
}

# A terminal's port shows DSR and keeps its framing; a [ports] result's is bare.
line_signals=""
while read -r port kind; do
  [ -n "$port" ] || continue
  file=""
  [ "$kind" = terminal ] && file="$work/com$port.lines"
  start_emulator "$port" "$file" || exit 70
  export "KARTOCHECK_COM$port=$work/com$port"
  [ -n "$file" ] && line_signals="${line_signals:+$line_signals:}$file"
done <<< "$ports"
for port in 1 2 3 4; do
  variable="KARTOCHECK_COM$port"
  [ -n "${!variable:-}" ] || export "$variable=$work/absent-com$port"
done

export MKTSIM_SCENARIO="$scenario"
export MKTSIM_SERIAL_LINE_SIGNALS="$line_signals"
export LD_PRELOAD="$preload${LD_PRELOAD:+:$LD_PRELOAD}"
# A sanitizer build wants its run-time first; the preload library comes before it.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

"$@"
status=$?
exit "$status"
