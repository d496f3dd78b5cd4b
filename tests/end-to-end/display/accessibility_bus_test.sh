#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The desktop program on a real X server, heard through the accessibility bus
# (AT-SPI) as a screen reader hears it: after the start-up scan the window's
# tree is walked and must hold the lines of EXPECTED.
#
# Usage: accessibility_bus_test.sh BIN_DIR EXPECTED OUT_DIR
# Exit 77 (skipped) where Xvfb, openbox, xdotool, dbus or AT-SPI are missing.
set -euo pipefail
bin_dir=$1 expected=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/window_steps.sh"

for tool in Xvfb openbox xdotool xwininfo xprop dbus-run-session dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "SKIP: gir1.2-atspi-2.0 or python3-gi is not installed"; exit 77; }

if [ "${1:-}" != --inside ]; then
    mkdir -p "$out"
    work=$(mktemp -d)
    pids=()
    cleanup() {
        end_pids
        rm -rf "$work"
    }
    trap cleanup EXIT
    source "$here/../../../scripts/private-display.sh"
    start_private_display || { echo "FAIL: no display"; exit 1; }
    # A session bus of our own; it ends with the commands run inside it.
    export work
    dbus-run-session -- bash "$0" --inside "$bin_dir" "$expected" "$out" &
    pids+=($!)
    wait "${pids[-1]}"
    exit $?
fi

shift
bin_dir=$1 expected=$2 out=$3
pids=()
trap end_pids EXIT

# The accessibility bus and its registry, started here so that they end by pid.
"$launcher" --launch-immediately >"$work/at-spi.log" 2>&1 &
pids+=($!)
# Asking the name's owner, not the bus itself, so that D-Bus starts no second one.
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
    sleep 0.1
done

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work
"$bin_dir/kartocheck" >"$work/kartocheck.log" 2>&1 &
kartocheck=$!
pids+=($kartocheck)

new_window # the first-use window
answer "$found" Return
new_window # the main window, which scans at once
new_window # the scan's result window
answer "$found" Return
sleep 1

/usr/bin/python3 "$here/atspi_walk.py" "$kartocheck" --expect "$expected" >"$out/atspi_walk.txt" 2>&1 && status=0 || status=$?
cat "$out/atspi_walk.txt"
exit "$status"
