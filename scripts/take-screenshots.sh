#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Takes the README's pictures as a person sees them: the program on its
# simulator under Xvfb with the openbox window manager, each window grabbed
# from the screen with its frame. Usage: take-screenshots.sh [FOLDER]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="$(realpath -m "${1:-$here/docs/screenshots}")"
bash "$here/scripts/build.sh" >/dev/null
source "$here/scripts/private-display.sh"
source "$here/scripts/fixed-program-folder.sh"
start_private_work
start_private_display
export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb

unset KARTOCHECK_CTAPI MKTSIM_SCENARIO
# From /opt/kartocheck, so that the about window names the same path wherever the build lies.
fixed_program_folder_works || { echo "Kein privater Mount-Namensraum: die Bilder brauchen root oder User-Namensräume"; exit 1; }
# Into the private folder first: the tour sees an /opt of its own.
run_from_fixed_folder "$here/build" kartocheck-screenshot-tour "$work/shots"
mkdir -p "$folder"
cp "$work/shots"/*.png "$folder"/
echo "Bilder in $folder"
