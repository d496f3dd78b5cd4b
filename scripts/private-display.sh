# SPDX-License-Identifier: Apache-2.0
# Sourced: a private X display for the caller, Xvfb on a free number with the
# openbox window manager, both ended with the caller's other processes.
# Needs $work (a temporary folder) and the array pids; exports DISPLAY.

# Sets up $work and pids for a script of its own, both cleaned up at its exit.
start_private_work() {
    work=$(mktemp -d)
    pids=()
    trap end_private_work EXIT
}

end_private_work() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}

start_private_display() {
    # Xvfb picks a free display number and tells it on fd 3.
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; return 1; }
    export DISPLAY=":$(cat "$work/display")"
    # The window manager is up once it names itself on the root window. On a
    # busy machine that can take seconds; without it no window gets a frame,
    # so the caller hears of it instead of waiting for frames that never come.
    # One that ended before naming itself is started once more.
    for _ in 1 2; do
        openbox >"$work/openbox.log" 2>&1 &
        pids+=($!)
        for _ in $(seq 300); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "${pids[-1]}" 2>/dev/null || continue 2
            sleep 0.1
        done
        break
    done
    echo "openbox did not start"
    cat "$work/openbox.log"
    return 1
}
