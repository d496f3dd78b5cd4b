#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds KartoCheck and runs every test.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$here/build" --output-on-failure -j"$(nproc)"
