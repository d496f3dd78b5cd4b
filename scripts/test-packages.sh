#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the Debian packages, installs them, checks the installed programs on
# the installed simulator and where the desktop finds the entry, the icon and
# the schemas, and removes the packages again.
# Usage: scripts/test-packages.sh [build folder]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$here/build}")"
bash "$here/scripts/package.sh" "$build"

packages=(kartocheck kartocheck-simulator kartocheck-serial kartocheck-pcsc)
for p in "${packages[@]}"; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    echo "$p is installed already; this check would remove it, so it stops." >&2
    exit 1
  fi
done

config="$(mktemp -d)"
cleanup() {
  dpkg --purge "${packages[@]}" >/dev/null 2>&1 || true
  rm -rf "$config"
}
trap cleanup EXIT

# Their dependencies (Qt, libxml2, pcsc-lite) are what the build needs already.
dpkg -i "$build"/packages/*.deb >/dev/null

fail() { echo "FEHLER: $*" >&2; exit 1; }
lib=/usr/lib/kartocheck
[ -x /usr/bin/kartocheck ] || fail "/usr/bin/kartocheck fehlt"
[ -x /usr/bin/kartocheck-cli ] || fail "/usr/bin/kartocheck-cli fehlt"
[ -x $lib/kartocheck-ctapi-host ] || fail "der Hilfsprozess fehlt in $lib"
for l in libmktsim.so libctapi-serial.so libctapi-pcsc.so; do
  [ -f $lib/$l ] || fail "$l fehlt in $lib"
done
[ ! -e $lib/libctzav32.so ] || fail "ein Paket legt libctzav32.so als stille Vorgabe ab"
for s in UC_allgemeineVersicherungsdatenXML.xsd UC_PersoenlicheVersichertendatenXML.xsd \
         UC_geschuetzteVersichertendatenXML.xsd; do
  [ -f /usr/share/kartocheck/$s ] || fail "Schema $s fehlt"
done
desktop=/usr/share/applications/de.kartocheck.KartoCheck.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net /usr/share/metainfo/de.kartocheck.KartoCheck.metainfo.xml >/dev/null
[ -f /usr/share/icons/hicolor/scalable/apps/kartocheck.svg ] || fail "SVG-Symbol fehlt"
[ -f /usr/share/icons/hicolor/48x48/apps/kartocheck.png ] || fail "PNG-Symbol fehlt"
man -w kartocheck-cli >/dev/null 2>&1 || [ -f /usr/share/man/man1/kartocheck-cli.1.gz ] || fail "Handbuchseite fehlt"

export XDG_CONFIG_HOME="$config"
unset KARTOCHECK_CTAPI
# COM 1 to COM 4 on devices that do not exist: the check leaves the machine's serial ports alone.
for n in 1 2 3 4; do export KARTOCHECK_COM$n="$config/no-com$n"; done

# A new user without a settings file: no box, the installed libraries and status 2.
set +e
first="$(cd / && /usr/bin/kartocheck-cli scan --batch 2>&1 </dev/null)"
status=$?
set -e
echo "$first"
[ "$status" -eq 2 ] || fail "scan ohne Wahl endet mit $status statt 2"
! grep -q "CTZAV32" <<<"$first" || fail "scan ohne Wahl zeigt die Meldung über CTZAV32.dll"
for l in libmktsim.so libctapi-serial.so libctapi-pcsc.so; do
  grep -q "$lib/$l" <<<"$first" || fail "scan ohne Wahl nennt $l nicht"
done

# The simulator, chosen as the console says, as a technician would.
(cd / && /usr/bin/kartocheck-cli libraries --use libmktsim.so) || fail "libraries --use libmktsim.so"
grep -q "ctapi=libmktsim.so" "$config/kartocheck/kartocheck.ini" || fail "die Wahl steht nicht in der Einstellungsdatei"
version="$(cd / && /usr/bin/kartocheck-cli --version)"
echo "$version"
grep -q "Terminal-Bibliothek: $lib/libmktsim.so (Simulator" <<<"$version" || fail "--version nennt den Simulator nicht"
grep -q "Schema-Ordner: /usr/share/kartocheck" <<<"$version" || fail "--version nennt den Schema-Ordner nicht"
(cd / && QT_QPA_PLATFORM=offscreen /usr/bin/kartocheck --version) | grep -q "(Simulator" ||
  fail "kartocheck --version nennt den Simulator nicht"
(cd / && /usr/bin/kartocheck-cli scan --batch) || fail "kartocheck-cli scan auf dem Simulator"

cleanup
trap - EXIT
for p in "${packages[@]}"; do
  ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fail "$p ist noch installiert"
done
echo "Pakete geprüft und wieder entfernt."
