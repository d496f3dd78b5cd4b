# SPDX-License-Identifier: Apache-2.0
# Sourced: the built programs in a folder tree like the installed one, the
# window program in DEST/bin and the helper and the terminal libraries in the
# private library folder DEST/lib/kartocheck, with no libctzav32.so anywhere.
# Usage: stage_installed_tree BUILD_BIN DEST
stage_installed_tree() {
    local bin=$1 dest=$2
    mkdir -p "$dest/bin" "$dest/lib/kartocheck"
    cp "$bin/kartocheck" "$dest/bin/"
    cp "$bin/kartocheck-ctapi-host" "$bin/libmktsim.so" "$bin/libctapi-serial.so" "$dest/lib/kartocheck/"
    [ ! -f "$bin/libctapi-pcsc.so" ] || cp "$bin/libctapi-pcsc.so" "$dest/lib/kartocheck/"
}
