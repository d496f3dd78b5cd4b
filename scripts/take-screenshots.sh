#!/usr/bin/env bash
# Takes the README's pictures as a person sees them: the program on its
# simulator under Xvfb with the openbox window manager, each window grabbed
# from the screen with its frame. Usage: take-screenshots.sh [FOLDER]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="$(realpath -m "${1:-$here/docs/screenshots}")"
bash "$here/scripts/build.sh" >/dev/null
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done

unset KARTOCHECK_CTAPI MKTSIM_SCENARIO
"$here/build/bin/kartocheck-screenshot-tour" "$folder"
echo "Bilder in $folder"
