#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# A new user's first start on a real X server (Xvfb with openbox): no library
# chosen anywhere, so the window "Terminal-Bibliothek wählen" must be on the
# screen; choosing the simulator with the keyboard writes it to the settings
# file and the program goes on to its windows. A copy from the main window
# then offers the clipboard managers' secret hint beside the text, and
# SIGTERM leaves the clipboard empty.
#
# Usage: library_chooser_display_test.sh BIN_DIR OUT_DIR
# Exit 77 (skipped) where Xvfb, openbox, xdotool or ImageMagick are missing.
set -euo pipefail
bin_dir=$1 out=$2
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb openbox xdotool xwininfo xprop import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
mkdir -p "$out"
work=$(mktemp -d)
pids=()
source "$here/window_steps.sh"
cleanup() {
    end_pids
    rm -rf "$work"
}
trap cleanup EXIT
source "$here/../../../scripts/private-display.sh"
source "$here/../../../scripts/installed-tree.sh"
start_private_display || { echo "FAIL: no display"; exit 1; }

stage_installed_tree "$bin_dir" "$work/tree"
mkdir -p "$work/home" "$work/config"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
unset KARTOCHECK_CTAPI MKTSIM_SCENARIO
settings=$work/config/kartocheck/kartocheck.ini
"$work/tree/bin/kartocheck" >"$work/kartocheck.log" 2>&1 &
kartocheck=$!
pids+=($kartocheck)

# Waits up to ten seconds for a command to succeed.
wait_for() {
    for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
    return 1
}
chooser_mapped() {
    chooser=$(xdotool search --onlyvisible --name '^Terminal-Bibliothek wählen$' 2>/dev/null | head -1)
    [ -n "$chooser" ]
}
fail() {
    echo "FAIL: $1"
    import -window root "$out/screen_end.png"
    cat "$work/kartocheck.log"
    exit 1
}

wait_for chooser_mapped || fail "no window \"Terminal-Bibliothek wählen\" on the screen"
echo "ok: $(xdotool getwindowname "$chooser") is mapped"
sleep 0.5 # let it paint before the picture
import -window root "$out/library_chooser_screen.png"
[ ! -e "$settings" ] || fail "a settings file exists before any choice"

# The simulator is the last entry of the list; OK is the default button.
answer "$chooser" End
xdotool key Return
settings_names_simulator() { grep -q '^ctapi=.*libmktsim\.so$' "$settings" 2>/dev/null; }
wait_for settings_names_simulator || fail "the settings file does not name libmktsim.so"
echo "ok: settings file: $(grep '^ctapi=' "$settings")"

new_window
echo "ok: next window: $(xdotool getwindowname "$found")"
answer "$found" Return
new_window
main=$found
title=$(xdotool getwindowname "$main")
case $title in *KartoCheck*Simulator*) echo "ok: main window: $title" ;; *) fail "main window titled \"$title\"" ;; esac
new_window # the start-up scan's result
answer "$found" Return

command -v xclip >/dev/null || { echo "xclip is not installed: clipboard not checked"; exit 0; }
# "weitere ...", the simulator's USB terminal with its eGK, read the card,
# then the copy button of the toolbar once the data are in.
click_main() {
    local x y
    x=$(xwininfo -id "$main" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$main" | awk '/Absolute upper-left Y/ {print $4}')
    xdotool mousemove --sync $((x + $1)) $((y + $2)) click 1
}
click_main 28 199
click_main 60 220
click_main 160 49
copied() {
    click_main 202 49
    xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx 'x-kde-passwordManagerHint'
}
wait_for copied || fail "the copy offers no x-kde-passwordManagerHint: $(xclip -selection clipboard -t TARGETS -o 2>&1 | tr '\n' ' ')"
hint=$(xclip -selection clipboard -t x-kde-passwordManagerHint -o)
[ "$hint" = secret ] || fail "the hint reads \"$hint\""
echo "ok: the copy offers x-kde-passwordManagerHint = $hint"

kill -TERM "$kartocheck"
wait "$kartocheck" 2>/dev/null || true
clipboard=$(xclip -selection clipboard -o 2>/dev/null || true)
[ -z "$clipboard" ] || fail "the clipboard still holds \"$clipboard\" after SIGTERM"
echo "ok: clipboard empty after SIGTERM"
