#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds KartoCheck and runs it on the built-in terminal simulator: the window
# when a display is there, otherwise the port scan on the console.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
# Only what runs: the two programs, the helper and the simulator (the tests build with scripts/run-tests.sh).
KC_BUILD_TARGETS="kartocheck kartocheck-cli kartocheck-ctapi-host mktsim" bash "$here/scripts/build.sh"
bin="$here/build/bin"
# The simulator is installed next to the program as its terminal library.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/kartocheck" ]; then
  exec "$bin/kartocheck"
fi
exec "$bin/kartocheck-cli" scan "$@"
