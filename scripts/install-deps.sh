#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs the Debian 12 packages KartoCheck needs to build, test and run,
# only those that are missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ccache clang-format
  clang  # the fuzz targets: libFuzzer comes with it
  lld  # links the mutation sample's many rebuilds fast (tests/README.md)
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev
  libxml2-dev zlib1g-dev ctapi-dev
  libctapimkt1  # a CT-API library for serial terminals that the serial tests cross-check ours with
  libgtest-dev libgmock-dev libbenchmark-dev python3-jsonschema
  xvfb xauth openbox xdotool x11-utils x11-apps imagemagick
  xclip  # what the real-display test reads the clipboard's offers with
  at-spi2-core gir1.2-atspi-2.0 python3-gi dbus  # the window heard through the accessibility bus
  pcscd libpcsclite-dev vsmartcard-vpcd pcsc-tools
  reuse  # every file's licence (reuse lint in CI)
  lintian desktop-file-utils appstream librsvg2-bin dpkg-dev fakeroot file  # the Debian packages and their checks
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
