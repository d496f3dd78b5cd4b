# SPDX-License-Identifier: Apache-2.0
# Sourced: runs a program of a build as if it lay in /opt/kartocheck, so that
# the paths a window shows (the about window names its terminal library) are
# the same wherever the build lies. A private mount namespace of its own:
# nothing is mounted or changed outside it.

kc_fixed_folder=/opt/kartocheck

# Whether this machine lets the caller make such a namespace (root, or user
# namespaces allowed).
fixed_program_folder_works() {
    unshare --mount --map-root-user --propagation private true 2>/dev/null
}

# Usage: run_from_fixed_folder BUILD_DIR PROGRAM [ARGS...]
# PROGRAM is taken from BUILD_DIR/bin, seen as /opt/kartocheck/bin/PROGRAM.
run_from_fixed_folder() {
    local build=$1
    shift
    unshare --mount --map-root-user --propagation private sh -c '
        folder=$1 build=$2
        shift 2
        # Through a stage, so that a build lying under /opt stays reachable once /opt is covered.
        stage=$(mktemp -d) || exit 1
        mount --bind "$build" "$stage" && mount -t tmpfs kartocheck "${folder%/*}" && mkdir "$folder" &&
            mount --move "$stage" "$folder" || { rmdir "$stage"; exit 1; }
        rmdir "$stage"
        program=$1
        shift
        exec "$folder/bin/$program" "$@"' sh "$kc_fixed_folder" "$build" "$@"
}
