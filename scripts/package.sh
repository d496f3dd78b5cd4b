#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the Debian packages (kartocheck, kartocheck-simulator, kartocheck-serial,
# kartocheck-pcsc) into build/packages and checks them with lintian.
# Usage: scripts/package.sh [build folder]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$here/build}")"
bash "$here/scripts/install-deps.sh"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only what the packages hold, not the tests.
cmake --build "$build" -j2 --target kartocheck kartocheck-cli kartocheck-ctapi-host \
  mktsim ctapi_serial ctapi-pcsc kartocheck_icons kartocheck_man_pages kartocheck_package_docs

rm -rf "$build/packages"
cpack -G DEB -B "$build/packages" --config "$build/CPackConfig.cmake" >/dev/null
rm -rf "$build/packages/_CPack_Packages"
ls "$build"/packages/*.deb

# Errors fail the build; warnings are shown.
lintian --fail-on error --suppress-tags no-manual-page,hardening-no-fortify-functions \
  "$build"/packages/*.deb
