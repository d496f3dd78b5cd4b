#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The desktop program on a real X server (Xvfb with the openbox window
# manager), driven as a person drives it. For each window that opens over the
# main window (the handheld's erase warning, the insert-card prompt, the scan
# result window and a diagnosis question) the picture is taken from the
# screen itself and must show a painted window with text on it.
#
# Usage: real_display_test.sh BIN_DIR SCENARIO PTY_HOLDER OUT_DIR
# Exit 77 (skipped) where Xvfb, openbox, xdotool or ImageMagick are missing.
set -euo pipefail
bin_dir=$1 scenario=$2 pty_holder=$3 out=$4

for tool in Xvfb openbox xdotool xwininfo xprop import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
mkdir -p "$out"
work=$(mktemp -d)
pids=()
source "$(dirname "$0")/window_steps.sh"
cleanup() {
    end_pids
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../../../scripts/private-display.sh"
start_private_display || { echo "FAIL: no display"; exit 1; }

"$pty_holder" >"$work/pty" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/pty" ] && break; sleep 0.1; done

export KARTOCHECK_COM1=$(cat "$work/pty") MKTSIM_SCENARIO=$scenario
export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
"$bin_dir/kartocheck" >"$work/kartocheck.log" 2>&1 &
kartocheck=$!
pids+=($kartocheck)

failures=0
# The window's client area as the screen shows it must be light with dark
# text on it; a window that stays black or blank fails.
check_window() {
    local id=$1 name=$2 x y w h mean dark
    x=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $4}')
    w=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
    mean=$(convert "$out/$name.png" -colorspace gray -format '%[fx:mean]' info:)
    dark=$(convert "$out/$name.png" -colorspace gray -threshold 40% -format '%[fx:1-mean]' info:)
    if awk -v m="$mean" -v d="$dark" 'BEGIN { exit !(m > 0.6 && d > 0.002 && d < 0.3) }'; then
        echo "ok: $name ($(xdotool getwindowname "$id")) brightness $mean, text $dark"
    else
        echo "FAIL: $name ($(xdotool getwindowname "$id")) is not painted: brightness $mean, text $dark"
        failures=$((failures + 1))
    fi
}

# Clicks a point of the main window, counted from its client area.
click_main() {
    local x y
    x=$(xwininfo -id "$main" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$main" | awk '/Absolute upper-left Y/ {print $4}')
    xdotool mousemove --sync $((x + $1)) $((y + $2)) click 1
}

new_window
answer "$found" Return
new_window
main=$found

new_window
check_window "$found" erase_warning
answer "$found" Escape

new_window
check_window "$found" insert_card_prompt
answer "$found" Escape

new_window
check_window "$found" scan_result
answer "$found" Return

# Option "COM 1 " (a line nobody answers on), then the diagnosis button.
sleep 1
click_main 28 115
click_main 76 49
new_window
check_window "$found" diagnosis_question

import -window root "$out/screen_end.png"
echo "$failures failed"
[ "$failures" -eq 0 ]
