#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks that every C and C++ file of the project matches .clang-format
# (with --fix, formats them in place) and that every source file names its
# licence in its first two lines. Exit 1 when a file differs or lacks it.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(--dry-run -Werror)
[ "${1:-}" = "--fix" ] && mode=(-i)
git ls-files -z -- '*.c' '*.cpp' '*.h' | xargs -0 clang-format --style=file "${mode[@]}"

# reuse lint cannot see a missing line: the catch-all stanza of dist/copyright
# covers every file. A script's first line may be its "#!" line.
unlicensed=$(git ls-files -- '*.c' '*.cpp' '*.h' '*.h.in' '*CMakeLists.txt' '*.cmake' '*.sh' '*.py' |
  while read -r f; do head -n 2 "$f" | grep -q 'SPDX-License-Identifier[:] ' || echo "$f"; done)
if [ -n "$unlicensed" ]; then
  echo "no SPDX-License-Identifier in the first two lines of:" >&2
  echo "$unlicensed" >&2
  exit 1
fi
