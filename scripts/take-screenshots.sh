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
start_private_work
start_private_display
export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb

unset KARTOCHECK_CTAPI MKTSIM_SCENARIO
"$here/build/bin/kartocheck-screenshot-tour" "$folder"
echo "Bilder in $folder"
