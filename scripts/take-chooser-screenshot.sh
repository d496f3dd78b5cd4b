#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The library chooser as a new user meets it: the built window program in a
# folder tree like the installed one (the libraries in lib/kartocheck, no
# libctzav32.so, no settings file), on Xvfb with openbox, grabbed from the
# screen. Usage: take-chooser-screenshot.sh [BUILD_BIN] [PNG]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bin="$(realpath -m "${1:-$here/build/bin}")"
png="$(realpath -m "${2:-$here/docs/screenshots/library_chooser.png}")"
source "$here/scripts/private-display.sh"
source "$here/scripts/installed-tree.sh"
start_private_work
mkdir -p "$work/config"
stage_installed_tree "$bin" "$work/tree"

start_private_display
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb
unset KARTOCHECK_CTAPI MKTSIM_SCENARIO
"$work/tree/bin/kartocheck" >"$work/kartocheck.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    id=$(xdotool search --name 'Terminal-Bibliothek' 2>/dev/null | head -1) && [ -n "$id" ] && break
    sleep 0.1
done
[ -n "${id:-}" ] || { echo "FEHLER: kein Fenster Terminal-Bibliothek wählen"; cat "$work/kartocheck.log"; exit 1; }
sleep 1
x=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print $4}')
y=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $4}')
w=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
h=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
# With the frame openbox draws: a little above and around the client area.
import -window root -crop "$((w + 8))x$((h + 30))+$((x - 4))+$((y - 26))" +repage "$png"
echo "Bild: $png"
