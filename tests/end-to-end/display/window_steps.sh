# SPDX-License-Identifier: Apache-2.0
# Sourced by the real-display tests: ending the processes they started and
# waiting for the program's windows. Needs the array pids, $work, $out and the
# program's pid in $kartocheck.

# Ends every process in pids, by pid.
end_pids() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}

known=""
# Waits for a visible window of ours that was not there before: $found.
new_window() {
    for _ in $(seq 300); do
        for id in $(xdotool search --pid "$kartocheck" --name 'KartoCheck|Benutzer' 2>/dev/null); do
            case " $known " in *" $id "*) continue ;; esac
            xwininfo -id "$id" 2>/dev/null | grep -q IsViewable || continue
            known="$known $id"
            sleep 0.5 # let the window system map and paint it
            found=$id
            return 0
        done
        sleep 0.1
    done
    command -v import >/dev/null && import -window root "$out/screen_end.png"
    echo "FAIL: no new window appeared"
    cat "$work/kartocheck.log"
    exit 1
}

answer() { xdotool windowactivate --sync "$1" 2>/dev/null || true; xdotool key "$2"; }
