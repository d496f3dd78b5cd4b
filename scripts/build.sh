#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Configures and builds KartoCheck into build/ (arguments go to cmake's configure step).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
# CI turns every warning into an error.
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKC_WERROR=$werror "$@" >/dev/null
# KC_BUILD_TARGETS: only these targets (blank-separated); unset: everything, the tests included.
cmake --build "$here/build" -j"$(nproc)" ${KC_BUILD_TARGETS:+--target $KC_BUILD_TARGETS}
