#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Every window of the screenshot tour, taken from a real
# X server (Xvfb with openbox), must look exactly as its picture in
# docs/screenshots: a control moved, resized, hidden, disabled or restyled
# shows as changed pixels, and those README pictures never show a window the
# program no longer has. A picture that
# differs is kept in OUT_DIR beside a picture of the difference; when the
# change is meant, scripts/take-screenshots.sh takes the pictures anew.
#
# Usage: pictures_test.sh BIN_DIR REFERENCE_DIR OUT_DIR
# Exit 77 (skipped) where Xvfb, openbox or ImageMagick are missing. The tour
# runs from /opt/kartocheck in a mount namespace of its own, as the pictures
# were taken, since the about window names its library with its path; where
# no such namespace can be made, the about window is left out.
set -euo pipefail
bin_dir=$1 reference=$2 out=$3

for tool in Xvfb openbox xprop compare; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/../../../scripts/private-display.sh"
source "$(dirname "$0")/../../../scripts/fixed-program-folder.sh"
start_private_work
start_private_display || { echo "FAIL: no display"; exit 1; }
export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
# Judged by its pictures: leaks at the end of the run are the window tests' business.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
unset KARTOCHECK_CTAPI MKTSIM_SCENARIO
rm -rf "$out"
mkdir -p "$out"

left_out=library_chooser
if fixed_program_folder_works; then
    tour=(run_from_fixed_folder "$(dirname "$bin_dir")" kartocheck-screenshot-tour)
else
    echo "note: no private mount namespace here, the about window is left out"
    tour=("$bin_dir/kartocheck-screenshot-tour")
    left_out+=" about"
fi
if ! "${tour[@]}" "$work/shots" >"$work/tour.log" 2>&1; then
    cat "$work/tour.log"
    echo "FAIL: the tour ended with an error"
    exit 1
fi

failures=0
for picture in "$reference"/*.png; do
    name=$(basename "$picture" .png)
    # The chooser is taken by scripts/take-chooser-screenshot.sh and checked by its own test.
    case " $left_out " in *" $name "*) continue ;; esac
    taken=$work/shots/$name.png
    if [ ! -f "$taken" ]; then
        echo "FAIL: $name was not taken"
        failures=$((failures + 1))
        continue
    fi
    # compare prints the number of differing pixels, or why it cannot compare (another size).
    differing=$(compare -metric AE "$picture" "$taken" "$out/${name}_difference.png" 2>&1 || true)
    if [ "$differing" = 0 ]; then
        echo "ok: $name"
        rm -f "$out/${name}_difference.png"
    else
        cp "$work/shots/$name.png" "$out/$name.png"
        echo "FAIL: $name differs from its picture: $differing (taken: $out/$name.png)"
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] || cat "$work/tour.log"
echo "$failures failed"
[ "$failures" -eq 0 ]
